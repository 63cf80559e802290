// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main/PaneLayout.h"

#include <QtTest>

using namespace sweepora;

class TestPaneLayout : public QObject
{
    Q_OBJECT

private slots:
    void proportionsOfAnInnerSize()
    {
        PaneLayout l = designLayout();
        Form_Resize(l, 9000, 6000);
        QCOMPARE(l.FolderTree, (TwipRect{0, 1260, 3555, 2400}));
        QCOMPARE(l.ListView1, (TwipRect{3600, 780, 5400, 2880}));
        QCOMPARE(l.HImgSplitter.top, 3660.0f);
        QCOMPARE(l.WebBrowser1, (TwipRect{0, 3710, 9000, 1760}));
        QCOMPARE(l.ProgressBar1, (TwipRect{5000, 5530, 4000, 210}));
        QCOMPARE(l.btnDelSelected, (TwipRect{0, 420, 4500, 255}));
        QCOMPARE(l.btnDelAll, (TwipRect{4500, 420, 4500, 255}));
        QCOMPARE(l.btnSelectAll, (TwipRect{0, 780, 3555, 255}));
        QCOMPARE(l.imgSplitter, (TwipRect{3555, 780, 45, 2910}));
    }

    void zeroSizeNeverGoesNegative()
    {
        PaneLayout l = designLayout();
        Form_Resize(l, 0, 0);
        for (const TwipRect &r : {l.btnDelSelected, l.btnDelAll, l.btnSelectAll, l.btnUnCheckAll, l.FolderTree,
                                  l.imgSplitter, l.ListView1, l.HImgSplitter, l.WebBrowser1, l.ProgressBar1}) {
            QVERIFY(r.width >= 0);
            QVERIFY(r.height >= 0);
        }
        QCOMPARE(l.ProgressBar1.top, -470.0f); // positions may be negative
    }

    void verticalDrag()
    {
        PaneLayout l = designLayout();
        Form_Resize(l, 9000, 6000);
        const TwipRect bar = verticalBarAtPress(l);
        QCOMPARE(bar, (TwipRect{3555, 780, 22, 2890}));
        const float W = 9120; // outer width
        QCOMPARE(verticalBarLeft(l, 800 - l.imgSplitter.left, W), 1500.0f);
        QCOMPARE(verticalBarLeft(l, 9000 - l.imgSplitter.left, W), W - 1500);
        QCOMPARE(verticalBarLeft(l, 1000, W), 4555.0f);

        verticalSplitterRelease(l, 1500, 9000);
        QCOMPARE(l.FolderTree.width, 1455.0f);
        QCOMPARE(l.ListView1.left, 1500.0f);
        QCOMPARE(l.ListView1.width, 7500.0f);
        QCOMPARE(l.imgSplitter.left, 1455.0f);
        QCOMPARE(l.btnSelectAll.width, 1455.0f);
        QCOMPARE(l.FolderTree.height, 2400.0f); // heights stay

        Form_Resize(l, 9000, 6000); // the next resize restores the proportions
        QCOMPARE(l.FolderTree.width, 3555.0f);
        QCOMPARE(l.ListView1.left, 3600.0f);
    }

    void horizontalDrag()
    {
        PaneLayout l = designLayout();
        Form_Resize(l, 9000, 6000);
        const PaneLayout before = l;
        QCOMPARE(horizontalBarAtPress(l), (TwipRect{-60, 3660, 8980, 22}));

        // Press and release without moving: nothing changes.
        horizontalSplitterRelease(l, int(horizontalBarAtPress(l).top - l.HImgSplitter.top));
        QCOMPARE(l.WebBrowser1, before.WebBrowser1);
        QCOMPARE(l.HImgSplitter, before.HImgSplitter);

        const float H = 6800; // outer height
        QCOMPARE(horizontalBarTop(l, -3000, H), 2000.0f);
        QCOMPARE(horizontalBarTop(l, 2000, H), H - 2000);
        const float top = horizontalBarTop(l, 500, H);
        QCOMPARE(top, 4160.0f);
        horizontalSplitterRelease(l, int(top - l.HImgSplitter.top));
        QCOMPARE(l.FolderTree.height, 2900.0f);
        QCOMPARE(l.ListView1.height, 3380.0f);
        QCOMPARE(l.imgSplitter.height, 3410.0f);
        QCOMPARE(l.WebBrowser1.top, 4210.0f);
        QCOMPARE(l.WebBrowser1.height, 1260.0f);
        QCOMPARE(l.HImgSplitter.top, 4160.0f);
    }
};

QTEST_GUILESS_MAIN(TestPaneLayout)
#include "tst_panelayout.moc"
