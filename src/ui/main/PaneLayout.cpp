// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main/PaneLayout.h"

namespace sweepora {

float ZeroIfNegative(float value)
{
    return value < 0 ? 0.0f : value;
}

PaneLayout designLayout()
{
    PaneLayout l;
    l.btnDelSelected = {0, 420, 0, 255};
    l.btnDelAll = {0, 420, 0, 255};
    l.btnSelectAll = {0, 780, 0, 255};
    l.btnUnCheckAll = {0, 1020, 0, 255};
    l.FolderTree = {0, 1260, 0, 0};
    l.imgSplitter = {0, 780, 45, 0};
    l.ListView1 = {0, 780, 0, 0};
    l.HImgSplitter = {-60, 0, 0, 45};
    l.WebBrowser1 = {0, 0, 0, 0};
    l.ProgressBar1 = {0, 0, 0, 210};
    return l;
}

void Form_Resize(PaneLayout &l, float SW, float SH)
{
    l.btnDelSelected.width = SW / 2;
    l.btnDelAll.left = l.btnDelSelected.width;
    l.btnDelAll.width = SW / 2;

    const float treeColumn = ZeroIfNegative(SW * 2 / 5 - l.imgSplitter.width);
    l.btnSelectAll.left = 0;
    l.btnSelectAll.width = treeColumn;
    l.btnUnCheckAll.left = 0;
    l.btnUnCheckAll.width = treeColumn;

    l.FolderTree.left = 0;
    l.FolderTree.width = treeColumn;
    l.FolderTree.height = ZeroIfNegative(SH * 2 / 5);

    l.imgSplitter.left = l.FolderTree.width;
    l.imgSplitter.height = ZeroIfNegative(SH * 2 / 5 + l.btnDelSelected.height + l.btnDelAll.height);

    l.ListView1.left = l.FolderTree.width + l.imgSplitter.width;
    l.ListView1.width = SW * 3 / 5;
    l.ListView1.height = ZeroIfNegative(SH * 2 / 5 + l.btnDelAll.height + l.btnDelSelected.height - 30);

    l.HImgSplitter.top = l.ListView1.height + 780;
    l.HImgSplitter.width = SW;

    l.ProgressBar1.top = SH - 470;
    l.ProgressBar1.width = SH * 2 / 3;
    l.ProgressBar1.left = SW - l.ProgressBar1.width;

    l.WebBrowser1.height = ZeroIfNegative(SH - l.HImgSplitter.top - 580);
    l.WebBrowser1.top = l.HImgSplitter.top + 50;
    l.WebBrowser1.width = SW;
}

} // namespace sweepora

namespace sweepora {

TwipRect verticalBarAtPress(const PaneLayout &l)
{
    return {l.imgSplitter.left, l.imgSplitter.top, static_cast<float>(static_cast<int>(l.imgSplitter.width / 2)),
            l.imgSplitter.height - 20};
}

float verticalBarLeft(const PaneLayout &l, float X, float W)
{
    const float pos = X + l.imgSplitter.left;
    if (pos < 1500)
        return 1500;
    if (pos > W - 1500)
        return W - 1500;
    return pos;
}

void verticalSplitterRelease(PaneLayout &l, float L, float SW)
{
    const float G = l.imgSplitter.width;
    l.btnSelectAll.left = 0;
    l.btnSelectAll.width = L - G;
    l.btnUnCheckAll.left = 0;
    l.btnUnCheckAll.width = L - G;
    l.FolderTree.left = 0;
    l.FolderTree.width = L - G;
    l.ListView1.left = l.FolderTree.width + G;
    l.ListView1.width = SW - (l.FolderTree.width + G);
    l.imgSplitter.left = l.FolderTree.width;
}

TwipRect horizontalBarAtPress(const PaneLayout &l)
{
    return {l.HImgSplitter.left, l.HImgSplitter.top, l.HImgSplitter.width - 20,
            static_cast<float>(static_cast<int>(l.HImgSplitter.height / 2))};
}

float horizontalBarTop(const PaneLayout &l, float Y, float H)
{
    const float pos = Y + l.HImgSplitter.top;
    if (pos < 2000)
        return 2000;
    if (pos > H - 2000)
        return H - 2000;
    return pos;
}

void horizontalSplitterRelease(PaneLayout &l, int SplitShift)
{
    const auto shift = static_cast<float>(SplitShift);
    l.FolderTree.height += shift;
    l.ListView1.height += shift;
    l.imgSplitter.height += shift;
    l.WebBrowser1.top += shift;
    l.WebBrowser1.height -= shift;
    l.HImgSplitter.top = l.WebBrowser1.top - 50;
}

} // namespace sweepora
