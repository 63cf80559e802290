// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace sweepora {

// Positions and sizes of the main window's controls, in twips (1440 per
// logical inch), as single-precision numbers.
struct TwipRect
{
    float left = 0;
    float top = 0;
    float width = 0;
    float height = 0;

    friend bool operator==(const TwipRect &, const TwipRect &) = default;
};

struct PaneLayout
{
    TwipRect btnDelSelected;
    TwipRect btnDelAll;
    TwipRect btnSelectAll;
    TwipRect btnUnCheckAll;
    TwipRect FolderTree;
    TwipRect imgSplitter;
    TwipRect ListView1;
    TwipRect HImgSplitter;
    TwipRect WebBrowser1;
    TwipRect ProgressBar1;
};

// 0 for a negative number, the number itself otherwise.
float ZeroIfNegative(float value);

// The controls where the window's design puts them before the first resize.
PaneLayout designLayout();

// Lays the panes out in their fixed proportions of the inner size SW x SH
// (twips): the tree column takes two fifths of the width, the upper panes
// two fifths of the height plus the rows above them, the preview the rest.
// Only the values a resize sets are changed; sizes never go below 0, an
// inner size of 0 (a minimized window) included.
void Form_Resize(PaneLayout &layout, float SW, float SH);

} // namespace sweepora

namespace sweepora {

// Dragging the splitters: a press shows a bar picture over the splitter,
// moves keep it within limits, and only the release moves the panes. All
// values in twips. W and H are the window's outer size, SW its inner width.

// Press on the vertical splitter: where the bar picture appears.
TwipRect verticalBarAtPress(const PaneLayout &layout);
// Move: the bar's left edge for the pointer at X (relative to the splitter),
// kept at least 1500 twips from either side of the window.
float verticalBarLeft(const PaneLayout &layout, float X, float W);
// Release with the bar's left edge at L: the tree column and the list move.
void verticalSplitterRelease(PaneLayout &layout, float L, float SW);

// Press on the horizontal splitter: where the bar picture appears.
TwipRect horizontalBarAtPress(const PaneLayout &layout);
// Move: the bar's top edge for the pointer at Y (relative to the splitter),
// kept at least 2000 twips from the window's top and bottom.
float horizontalBarTop(const PaneLayout &layout, float Y, float H);
// Release: moves the border between the upper panes and the preview by
// SplitShift, the bar's top less the splitter's top as a whole number.
void horizontalSplitterRelease(PaneLayout &layout, int SplitShift);

} // namespace sweepora
