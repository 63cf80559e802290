// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main/TreeBackground.h"

#include "ui/common/Icons.h"

#include <QPainter>
#include <QScrollBar>
#include <QTreeWidget>
#include <QtTest>

using namespace sweepora;

class TestTreeBackground : public QObject
{
    Q_OBJECT

    // A tile with a marked corner, so that where each tile starts is visible.
    static QPixmap markedTile()
    {
        QPixmap tile(50, 50);
        tile.fill(QColor(240, 240, 255));
        QPainter painter(&tile);
        painter.fillRect(0, 0, 3, 3, Qt::red);
        return tile;
    }

    static bool isMark(const QImage &image, int x, int y) { return image.pixelColor(x + 1, y + 1) == QColor(Qt::red); }

private slots:
    void tilesStartAtTheCorner()
    {
        QTreeWidget tree;
        tree.setHeaderHidden(true);
        setTiledBackground(&tree, markedTile());
        tree.resize(175, 230);
        const QImage image = tree.grab().toImage();
        for (int x : {0, 50, 100, 150}) {
            for (int y : {0, 50, 100, 150, 200})
                QVERIFY2(isMark(image, x, y), qPrintable(QStringLiteral("no tile at %1,%2").arg(x).arg(y)));
        }
        QVERIFY(!isMark(image, 25, 25));
    }

    void tilesStayWhileItemsScroll()
    {
        QTreeWidget tree;
        tree.setHeaderHidden(true);
        setTiledBackground(&tree, markedTile());
        for (int i = 0; i < 100; ++i)
            new QTreeWidgetItem(&tree, {QStringLiteral("g%1").arg(i)});
        tree.resize(175, 230);
        tree.show();
        QVERIFY(QTest::qWaitForWindowExposed(&tree));
        const QImage before = tree.viewport()->grab().toImage();
        tree.verticalScrollBar()->setValue(tree.verticalScrollBar()->maximum() / 2);
        const QImage after = tree.viewport()->grab().toImage();
        // Far right of each row holds no text: the tiles there do not move.
        for (int y : {50, 100, 150})
            QVERIFY(isMark(before, 150, y) && isMark(after, 150, y));
    }

    void productTileIsUsed()
    {
        QTreeWidget tree;
        setTiledBackground(&tree, treeBackgroundTile());
        QCOMPARE(tree.palette().brush(QPalette::Base).texture().size(), QSize(50, 50));
    }
};

QTEST_MAIN(TestTreeBackground)
#include "tst_treebackground.moc"
