// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QUrl>

namespace sweepora {

// Where the About box's links and the main window's "&Web Support" lead.
// The addresses are build settings (CMake cache variables SWEEPORA_WEB_PAGE,
// SWEEPORA_HOME_PAGE, SWEEPORA_MAIL).

// The product's web page; when the build names none, the user guide that
// goes with the program (a file: address, see userGuidePath).
QUrl productWebPage();

// The text that stands for the product's web page in the About box: its
// address, or "Sweepora User Guide" for the local guide (never a raw path).
QString productWebPageText();

// The user guide for a program in `programDir`, the first that exists of:
// the guide at the same place relative to the program as the install puts
// it (an install or a package under any prefix), the guide in the source
// tree when the program runs from its build tree (as "make run" starts it),
// the guide's path under the build's install prefix. When none exists, that
// last path.
QString userGuidePath(const QString &programDir);

// The maker's home page.
QUrl makerHomePage();

// The maker's mail address as a mailto: address.
QUrl makerMail();

// The maker's name, as the About box and the splash show it.
QString makerName();

// Hands `url` to the desktop's browser or mail program and returns at once.
// When that fails, the failure is written to the log; a local page that
// exists (the user guide) is then shown in Sweepora's own GuideWindow,
// anything else shows nothing.
void openLink(const QUrl &url);

} // namespace sweepora
