// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/GroupTable.h"
#include "core/Helpers.h"
#include "space/frmFreeSpace.h"
#include "ui/common/Twips.h"

#include "TestEnv.h"

#include <QAccessible>
#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

#include <cmath>
#include <numbers>

using namespace sweepora;
using namespace sweepora::test;

class TestFrmFreeSpace : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestEnv> env;

    static QString text(QWidget *window, const char *name)
    {
        auto *label = window->findChild<QLabel *>(QLatin1String(name));
        return label ? label->text() : QStringLiteral("<no %1>").arg(QLatin1String(name));
    }

    // Opens a window as the program does and waits until it has filled in.
    static QPointer<frmFreeSpace> openWindow()
    {
        QPointer<frmFreeSpace> window = new frmFreeSpace;
        QSignalSpy loaded(window.data(), &frmFreeSpace::loadFinished);
        window->show();
        if (!loaded.wait(60000))
            qWarning("the drive space window did not finish loading");
        return window;
    }

    // Colour of the chart's pixel at `degrees` (true degrees, counterclockwise
    // from 3 o'clock) and half the radius out.
    static QColor chartColourAt(const QImage &image, const QWidget *window, double degrees)
    {
        const double ratio = image.devicePixelRatio();
        const double radians = degrees * std::numbers::pi / 180.0;
        const double x = twipsToPixelsX(window, 1750) + std::cos(radians) * twipsToPixelsX(window, 625);
        const double y = twipsToPixelsY(window, 3000) - std::sin(radians) * twipsToPixelsY(window, 625);
        return image.pixelColor(int(std::lround(x * ratio)), int(std::lround(y * ratio)));
    }

private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void init() { env = std::make_unique<TestEnv>(); }
    void cleanup() { env.reset(); }

    void opensWithTheFiguresOfTheRoot()
    {
        const QString folder = env->makeDir(QStringLiteral("junk"));
        writeFile(folder + QStringLiteral("/big"), QByteArray(3 * 1024 * 1024, 'x'));
        writeFile(folder + QStringLiteral("/deep/small"), QByteArray(4321, 'y'));
        QVERIFY(SaveGroups({{QStringLiteral("Junk"), folder + u'/', QStringLiteral("j"), QStringLiteral("3")},
                            {QStringLiteral("Gone"), env->root() + QStringLiteral("/gone/"),
                             QStringLiteral("g"), QStringLiteral("4")}})
                 .number == GroupFileError::None);

        QPointer<frmFreeSpace> window = openWindow();
        QVERIFY(window);
        QCOMPARE(window->windowTitle(), QStringLiteral("Free Space"));
        QVERIFY(!window->isModal());
        QCOMPARE(text(window, "Label1"), QStringLiteral("Drive Statistics for /"));
        QCOMPARE(text(window, "Label2"), QStringLiteral("Total Space ="));
        QCOMPARE(text(window, "Label5"), QStringLiteral("Used Space ="));
        QCOMPARE(text(window, "Label3"), QStringLiteral("Wasted Space ="));
        QCOMPARE(text(window, "Label4"), QStringLiteral("Free Space ="));
        QCOMPARE(window->findChild<QPushButton *>(QStringLiteral("btnOK"))->text(), QStringLiteral("&Close"));

        const DriveFigures &figures = window->figures();
        QVERIFY(figures.wasted);
        QCOMPARE(*figures.wasted, quint64(3 * 1024 * 1024 + 4321));
        QCOMPARE(text(window, "lblWastedSize"), FormatSize(*figures.wasted));
        QCOMPARE(text(window, "lblTotalSize"), FormatSize(figures.drive.total));
        QCOMPARE(text(window, "lblUsedSize"), FormatSize(figures.drive.used));
        QCOMPARE(text(window, "lblFreeSize"), FormatSize(figures.drive.free));
        QCOMPARE(figures.drive.used + figures.drive.free + figures.drive.reserved, figures.drive.total);

        // Shares with exactly two decimals and "%", used and free making 100.
        const QRegularExpression share(QStringLiteral("^(\\d+\\.\\d\\d)%$"));
        double sum = 0;
        for (const char *name : {"lblUsedPer", "lblFreePer", "lblWastedPer"}) {
            const QRegularExpressionMatch match = share.match(text(window, name));
            QVERIFY2(match.hasMatch(), name);
            if (qstrcmp(name, "lblWastedPer") != 0)
                sum += match.captured(1).toDouble();
        }
        QVERIFY(std::abs(sum - 100.0) <= 0.011);
        QVERIFY(window->pie());

        window->findChild<QPushButton *>(QStringLiteral("btnOK"))->click();
        QTRY_VERIFY(!window); // closed and gone; the next opening computes afresh
    }

    void layoutInTwips()
    {
        auto *window = new frmFreeSpace;
        QCOMPARE(window->size(), QSize(twipsToPixelsX(window, 3615), twipsToPixelsY(window, 4890)));
        QCOMPARE(window->findChild<QPushButton *>(QStringLiteral("btnOK"))->geometry(),
                 twipsRect(window, 0, 4320, 3615, 555));
        QCOMPARE(window->findChild<QLabel *>(QStringLiteral("lblWastedPer"))->geometry(),
                 twipsRect(window, 2880, 1140, 675, 255));
        const QPair<const char *, QColor> swatches[] = {{"Picture3", QColor(0, 0, 128)},
                                                        {"Picture1", QColor(255, 255, 0)},
                                                        {"Picture2", QColor(128, 0, 128)}};
        for (const auto &[name, colour] : swatches) {
            auto *swatch = window->findChild<QFrame *>(QLatin1String(name));
            QVERIFY2(swatch, name);
            const QImage image = swatch->grab().toImage();
            QCOMPARE(image.pixelColor(image.width() / 2, image.height() / 2), colour);
        }
        delete window;
    }

    void chartSectors_data()
    {
        QTest::addColumn<quint64>("total");
        QTest::addColumn<quint64>("free");
        QTest::addColumn<quint64>("wasted");
        // Where (true degrees) each colour is expected.
        QTest::addColumn<QList<double>>("wastedAt");
        QTest::addColumn<QList<double>>("freeAt");
        QTest::addColumn<QList<double>>("usedAt");

        QTest::newRow("tiny wasted share") << quint64(1000) << quint64(500) << quint64(1)
                                           << QList<double>{} << QList<double>{10, 90, 170}
                                           << QList<double>{190, 270, 350};
        QTest::newRow("large wasted share") << quint64(1000) << quint64(400) << quint64(300)
                                            << QList<double>{10, 60, 100} << QList<double>{115, 140}
                                            << QList<double>{150, 250, 350};
        QTest::newRow("wasted above free") << quint64(1000) << quint64(100) << quint64(900)
                                           << QList<double>{5, 30} << QList<double>{}
                                           << QList<double>{45, 180, 350};
        QTest::newRow("empty drive") << quint64(1000) << quint64(1000) << quint64(0)
                                     << QList<double>{} << QList<double>{5, 180, 355}
                                     << QList<double>{};
    }

    void chartSectors()
    {
        QFETCH(quint64, total);
        QFETCH(quint64, free);
        QFETCH(quint64, wasted);
        QFETCH(QList<double>, wastedAt);
        QFETCH(QList<double>, freeAt);
        QFETCH(QList<double>, usedAt);

        frmFreeSpace window;
        window.setAttribute(Qt::WA_DeleteOnClose, false);
        window.showFigures({{total, total - free, free}, wasted, {}});
        const QImage image = window.grab().toImage();
        for (double at : wastedAt)
            QCOMPARE(chartColourAt(image, &window, at), QColor(255, 255, 0));
        for (double at : freeAt)
            QCOMPARE(chartColourAt(image, &window, at), QColor(128, 0, 128));
        for (double at : usedAt)
            QCOMPARE(chartColourAt(image, &window, at), QColor(0, 0, 128));
    }

    // Assistive technology announces the drive space window as a window.
    void announcedAsAWindow()
    {
        frmFreeSpace window;
        window.setAttribute(Qt::WA_DeleteOnClose, false);
        QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(&window);
        QVERIFY(accessible);
        QCOMPARE(accessible->role(), QAccessible::Window);
    }

    void reserveLeftOutOfSharesAndChart()
    {
        // 1000 bytes: 450 used, 450 free to the user, 100 kept for the
        // super-user. Shares are of used + free, as df's Use%.
        frmFreeSpace window;
        window.setAttribute(Qt::WA_DeleteOnClose, false);
        window.showFigures({{1000, 450, 450, 100}, quint64(90), {}});
        QCOMPARE(text(&window, "lblTotalSize"), FormatSize(1000));
        QCOMPARE(text(&window, "lblUsedSize"), FormatSize(450));
        QCOMPARE(text(&window, "lblFreeSize"), FormatSize(450));
        QCOMPARE(text(&window, "lblUsedPer"), QStringLiteral("50.00%"));
        QCOMPARE(text(&window, "lblFreePer"), QStringLiteral("50.00%"));
        QCOMPARE(text(&window, "lblWastedPer"), QStringLiteral("10.00%"));

        // Wasted 36 degrees, free up to 180, used the other half: no sector
        // for the reserve.
        QVERIFY(window.pie());
        QCOMPARE(window.pie()->freeDegrees, 180.0);
        QCOMPARE(window.pie()->wastedDegrees, 36.0);
        const QImage image = window.grab().toImage();
        for (double at : {10.0, 30.0})
            QCOMPARE(chartColourAt(image, &window, at), QColor(255, 255, 0));
        for (double at : {50.0, 120.0, 170.0})
            QCOMPARE(chartColourAt(image, &window, at), QColor(128, 0, 128));
        for (double at : {190.0, 270.0, 350.0})
            QCOMPARE(chartColourAt(image, &window, at), QColor(0, 0, 128));
    }

    void emptyDriveShowsNoChart()
    {
        frmFreeSpace window;
        window.setAttribute(Qt::WA_DeleteOnClose, false);
        window.showFigures({{0, 0, 0}, quint64(5000), {}});
        QCOMPARE(text(&window, "lblTotalSize"), QStringLiteral("0 bytes"));
        QCOMPARE(text(&window, "lblUsedSize"), QStringLiteral("0 bytes"));
        QCOMPARE(text(&window, "lblFreeSize"), QStringLiteral("0 bytes"));
        QCOMPARE(text(&window, "lblWastedSize"), QStringLiteral("4.88 KB"));
        for (const char *name : {"lblUsedPer", "lblFreePer", "lblWastedPer"})
            QCOMPARE(text(&window, name), QStringLiteral("n/a"));
        QVERIFY(!window.pie());
        const QImage image = window.grab().toImage();
        const QColor background = window.palette().color(QPalette::Window);
        for (double at : {0.0, 90.0, 180.0, 270.0})
            QCOMPARE(chartColourAt(image, &window, at), background);
    }

    void missingTableShowsWastedAsNotAvailable()
    {
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("53 -- File not found")));
        QPointer<frmFreeSpace> window = openWindow();
        QVERIFY(window);
        QCOMPARE(text(window, "lblWastedSize"), QStringLiteral("n/a"));
        QCOMPARE(text(window, "lblWastedPer"), QStringLiteral("n/a"));
        QVERIFY(text(window, "lblUsedPer").endsWith(u'%'));
        QVERIFY(window->pie());
        window->close();
        QTRY_VERIFY(!window);
    }
};

QTEST_MAIN(TestFrmFreeSpace)
#include "tst_frmfreespace.moc"
