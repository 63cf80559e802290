#pragma once

class QWidget;

namespace sweepora {

// Pixels for a length in twips (1440 to the logical inch) at the logical
// horizontal DPI of `widget`'s screen, rounded: 15 twips a pixel at 96 dpi.
int twipsToPixels(const QWidget *widget, double twips);

// Moves a window so that it stands in the middle of its screen:
// left = (screen width - window width) / 2, top likewise, remainders dropped.
void centreOnScreen(QWidget *window);

} // namespace sweepora
