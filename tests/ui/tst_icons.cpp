// SPDX-License-Identifier: GPL-3.0-or-later
// The product's pictures: every icon the windows ask for is compiled in and
// draws at tree and toolbar sizes, the 35 group icons can be told apart at
// tree size, and the tree's background tile is a light 50 by 50 tile.

#include "Resources.h"
#include "ui/common/Icons.h"

#include <QDirIterator>
#include <QIcon>
#include <QImage>
#include <QtTest>

#include <climits>

using namespace sweepora;

namespace {

QImage draw(const QIcon &icon, int size)
{
    return icon.pixmap(QSize(size, size)).toImage().convertToFormat(QImage::Format_ARGB32);
}

int opaquePixels(const QImage &image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += qAlpha(image.pixel(x, y)) > 128;
    return count;
}

// Pixels where the two pictures differ clearly in colour or coverage.
int differentPixels(const QImage &a, const QImage &b)
{
    int count = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            const int delta = std::max({std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                                        std::abs(qBlue(p) - qBlue(q)), std::abs(qAlpha(p) - qAlpha(q))});
            count += delta > 48;
        }
    }
    return count;
}

QStringList capturedWarnings;

void captureWarning(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type != QtDebugMsg && type != QtInfoMsg)
        capturedWarnings << message;
}

} // namespace

class TestIcons : public QObject
{
    Q_OBJECT

private slots:
    void groupIconDraws_data();
    void groupIconDraws();
    void groupIconsDifferAtTreeSize();
    void groupIconOutsideRange_data();
    void groupIconOutsideRange();
    void toolbarIcon_data();
    void toolbarIcon();
    void lockWindowIcon_data();
    void lockWindowIcon();
    void programAndFileIconsDraw_data();
    void programAndFileIconsDraw();
    void everySvgIsPlainAndDrawsCleanly_data();
    void everySvgIsPlainAndDrawsCleanly();
    void treeTileIsLightAndFifty();
};

void TestIcons::groupIconDraws_data()
{
    QTest::addColumn<int>("number");
    for (int n = 1; n <= groupIconCount; ++n)
        QTest::addRow("icon%02d", n) << n;
}

void TestIcons::groupIconDraws()
{
    QFETCH(int, number);
    const QIcon icon = groupIcon(number);
    QVERIFY(!icon.isNull());
    for (int size : {16, 32}) {
        const QImage image = draw(icon, size);
        QCOMPARE(image.size(), QSize(size, size));
        // A picture that covers less than an eighth of its square is lost in a tree row.
        QVERIFY2(opaquePixels(image) >= size * size / 8,
                 qPrintable(QStringLiteral("icon %1 is almost empty at %2 px").arg(number).arg(size)));
    }
}

void TestIcons::groupIconsDifferAtTreeSize()
{
    QList<QImage> images;
    for (int n = 1; n <= groupIconCount; ++n)
        images << draw(groupIcon(n), 16);
    const int enough = 16 * 16 / 20;
    for (int i = 0; i < images.size(); ++i)
        for (int j = i + 1; j < images.size(); ++j)
            QVERIFY2(differentPixels(images[i], images[j]) >= enough,
                     qPrintable(QStringLiteral("icons %1 and %2 look alike").arg(i + 1).arg(j + 1)));
}

void TestIcons::groupIconOutsideRange_data()
{
    QTest::addColumn<int>("number");
    QTest::newRow("zero") << 0;
    QTest::newRow("negative") << -1;
    QTest::newRow("one past the last") << groupIconCount + 1;
    QTest::newRow("smallest int") << INT_MIN;
    QTest::newRow("largest int") << INT_MAX;
}

void TestIcons::groupIconOutsideRange()
{
    QFETCH(int, number);
    QVERIFY(groupIcon(number).isNull());
    QVERIFY(groupIconPath(number).isEmpty());
}

void TestIcons::toolbarIcon_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<bool>("known");
    for (const char *key : {"Monitor", "Minimize", "Groups", "View", "Space", "Report", "Lock", "Shutdown", "Help"})
        QTest::newRow(key) << QString::fromLatin1(key) << true;
    QTest::newRow("upper case") << QStringLiteral("SHUTDOWN") << true;
    QTest::newRow("empty") << QString() << false;
    QTest::newRow("unknown key") << QStringLiteral("Exit") << false;
    QTest::newRow("trailing blank") << QStringLiteral("Lock ") << false;
    QTest::newRow("path-like") << QStringLiteral("../sweepora") << false;
}

void TestIcons::toolbarIcon()
{
    QFETCH(QString, key);
    QFETCH(bool, known);
    const QIcon icon = sweepora::toolbarIcon(key);
    QCOMPARE(!icon.isNull(), known);
    if (known)
        QVERIFY(opaquePixels(draw(icon, 24)) >= 24 * 24 / 8);
}

void TestIcons::lockWindowIcon_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<bool>("known");
    for (const char *key : {"Browse", "Lock", "Unlock", "Exit"})
        QTest::newRow(key) << QString::fromLatin1(key) << true;
    QTest::newRow("upper case") << QStringLiteral("UNLOCK") << true;
    QTest::newRow("a toolbar key") << QStringLiteral("Help") << false;
    QTest::newRow("empty") << QString() << false;
}

void TestIcons::lockWindowIcon()
{
    QFETCH(QString, key);
    QFETCH(bool, known);
    const QIcon icon = sweepora::lockWindowIcon(key);
    QCOMPARE(!icon.isNull(), known);
    if (known) {
        QVERIFY(opaquePixels(draw(icon, 24)) >= 24 * 24 / 8);
        QVERIFY(opaquePixels(draw(icon, 32)) >= 32 * 32 / 8);
    }
}

void TestIcons::programAndFileIconsDraw_data()
{
    QTest::addColumn<QIcon>("icon");
    QTest::addColumn<int>("size");
    QTest::newRow("program icon, tray size") << appIcon() << 16;
    QTest::newRow("program icon, large") << appIcon() << 256;
    QTest::newRow("file icon, list size") << fileIcon() << 16;
    QTest::newRow("file icon, large") << fileIcon() << 32;
}

void TestIcons::programAndFileIconsDraw()
{
    QFETCH(QIcon, icon);
    QFETCH(int, size);
    const QImage image = draw(icon, size);
    QCOMPARE(image.size(), QSize(size, size));
    QVERIFY(opaquePixels(image) >= size * size / 8);
}

void TestIcons::everySvgIsPlainAndDrawsCleanly_data()
{
    initResources();
    QTest::addColumn<QString>("path");
    int found = 0;
    for (const char *root : {":/icons", ":/pictures"}) {
        QDirIterator it(QString::fromLatin1(root), {QStringLiteral("*.svg")}, QDir::Files,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            QTest::newRow(qPrintable(path)) << path;
            ++found;
        }
    }
    QVERIFY2(found > groupIconCount, "the pictures are not compiled in");
}

void TestIcons::everySvgIsPlainAndDrawsCleanly()
{
    // A broken reference or a bad path shows as a warning and a gap in the
    // picture. Filters, masks, clipping and style sheets are dropped without
    // a word, so the picture would differ from its drawing: refuse them too.
    QFETCH(QString, path);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    for (const char *unsupported : {"<filter", "<mask", "<clipPath", "<style", "class=", "style="})
        QVERIFY2(!text.contains(unsupported), unsupported);

    capturedWarnings.clear();
    const QtMessageHandler previous = qInstallMessageHandler(captureWarning);
    const QImage image = draw(QIcon(path), 64);
    qInstallMessageHandler(previous);
    QVERIFY2(capturedWarnings.isEmpty(), qPrintable(capturedWarnings.join(u'\n')));
    QVERIFY(opaquePixels(image) > 0);
}

void TestIcons::treeTileIsLightAndFifty()
{
    const QImage tile = treeBackgroundTile().toImage().convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(tile.size(), QSize(50, 50));
    // Dark tree text must stay readable on every pixel, and nothing may show
    // through the tile.
    for (int y = 0; y < tile.height(); ++y) {
        for (int x = 0; x < tile.width(); ++x) {
            const QRgb p = tile.pixel(x, y);
            QVERIFY2(qAlpha(p) == 255 && qGray(p) >= 200,
                     qPrintable(QStringLiteral("pixel %1,%2 is too dark or transparent").arg(x).arg(y)));
        }
    }
}

QTEST_MAIN(TestIcons)
#include "tst_icons.moc"
