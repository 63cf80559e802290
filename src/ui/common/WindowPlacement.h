#pragma once

class QWidget;

namespace sweepora {

// Positions and sizes of windows and controls are given in twips (1/1440
// inch); on screen they become pixels at the screen's logical resolution
// (15 twips a pixel at 96 dpi).
int twipsToPixels(double twips, const QWidget *widget);

// Centres `window` on its screen: left = (screen width - window width) / 2,
// top likewise, in whole pixels. The window's frame counts when it is known.
void centreOnScreen(QWidget *window);

} // namespace sweepora
