// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QAbstractItemView;
class QPixmap;

namespace sweepora {

// Draws a list or tree over a tiled picture: the viewport's base is the
// tile repeated from its top-left corner, so the tiles stay in place while
// the items scroll over them, and items paint no base of their own, so the
// lines, icons, texts and the selection bar stand on the picture. An empty
// picture leaves the plain base.
void setTiledBackground(QAbstractItemView *view, const QPixmap &tile);

} // namespace sweepora
