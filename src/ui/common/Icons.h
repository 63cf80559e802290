// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

namespace sweepora {

// The product's pictures, loaded from the compiled-in resources. Every
// function registers the resources on first use, so callers need nothing
// else. The icons are scalable: ask them for any size from 16 pixels up.

// Group icons are numbered from 1 to groupIconCount, in the order the group
// tree, the group list and the icon picker show them.
inline constexpr int groupIconCount = 35;

// The group icon whose number marks a tree node for "Clean &Selected Groups":
// a check mark.
inline constexpr int checkedIconNumber = 4;

// Resource path of group icon `number` (":/icons/groups/icon04.svg"), or an
// empty text when `number` is outside 1..groupIconCount.
QString groupIconPath(int number);

// Group icon `number`; a null QIcon when `number` is outside
// 1..groupIconCount (an icon field of 0 or 99 in the group table shows no
// picture rather than a wrong one).
QIcon groupIcon(int number);

// The toolbar picture for a toolbar key: "Monitor", "Minimize", "Groups",
// "View", "Space", "Report", "Lock", "Shutdown" or "Help", in any letter
// case. A null QIcon for any other key.
QIcon toolbarIcon(const QString &key);

// The lock window's button pictures, drawn to go with the toolbar's
// padlock: "Browse", "Lock", "Unlock" or "Exit", in any letter case. A null
// QIcon for any other key.
QIcon lockWindowIcon(const QString &key);

// The file list's row icon.
QIcon fileIcon();

// The program's icon: window icon, tray icon, About box picture.
QIcon appIcon();

// The 50 by 50 pixel tile drawn behind the group tree, meant to be repeated
// (for example as a QBrush texture). Light enough for dark text over it.
QPixmap treeBackgroundTile();

// Resource paths of the remaining pictures, for QSvgRenderer or QIcon.
// Splitter grips are drawn at their own size, centred on the bar:
// vertical bar 6 x 30, horizontal bar 30 x 6. The logo is 400 x 250.
inline constexpr char verticalSplitterGripPath[] = ":/pictures/vsplit.svg";
inline constexpr char horizontalSplitterGripPath[] = ":/pictures/hsplit.svg";
inline constexpr char logoPath[] = ":/pictures/logo.svg";
inline constexpr char treeBackgroundTilePath[] = ":/pictures/tile.png";

} // namespace sweepora
