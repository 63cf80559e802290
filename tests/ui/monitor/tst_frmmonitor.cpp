// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/AppFiles.h"
#include "core/GroupTable.h"
#include "core/Helpers.h"
#include "core/Registry.h"
#include "platform/Autostart.h"
#include "ui/common/Twips.h"
#include "ui/monitor/frmMonitor.h"

#include "MessageBoxAnswer.h"
#include "TestEnv.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QSignalSpy>
#include <QTreeWidget>
#include <QtTest>

using namespace sweepora;
using namespace sweepora::test;

class TestFrmMonitor : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestEnv> env;

    QString autostartFile() const { return env->root() + QStringLiteral("/config/autostart/sweepora.desktop"); }
    static QString thisProgramCommand()
    {
        return platform::monitorModeCommandLine(QCoreApplication::applicationFilePath());
    }

    // Shows the window as exec() would and waits until it has filled in.
    static void open(frmMonitor &window)
    {
        QSignalSpy loaded(&window, &frmMonitor::loadFinished);
        window.show();
        QVERIFY(loaded.wait(60000));
    }

    struct Row
    {
        QString name, key, used, limit;
        bool hasIcon;
    };
    static QList<Row> rows(frmMonitor &window)
    {
        auto *list = window.findChild<QTreeWidget *>(QStringLiteral("ListView1"));
        QList<Row> out;
        for (int i = 0; list && i < list->topLevelItemCount(); ++i) {
            QTreeWidgetItem *item = list->topLevelItem(i);
            out.append({item->text(0), item->data(0, Qt::UserRole).toString(), item->text(1),
                        item->text(2), !item->icon(0).isNull()});
        }
        return out;
    }

    static QCheckBox *stupCheck(frmMonitor &window)
    {
        return window.findChild<QCheckBox *>(QStringLiteral("stupCheck"));
    }

private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void init() { env = std::make_unique<TestEnv>(); }
    void cleanup() { env.reset(); }

    void rowsPerGroup()
    {
        const QString alpha = env->makeDir(QStringLiteral("alpha"));
        writeFile(alpha + QStringLiteral("/one"), QByteArray(1000, '1'));
        writeFile(alpha + QStringLiteral("/sub/two"), QByteArray(2000, '2'));
        const QString gamma = env->makeDir(QStringLiteral("gamma"));
        writeFile(gamma + QStringLiteral("/big"), QByteArray(5 * 1024 * 1024, 'g'));
        // The last line with a key wins; a folder that does not exist is 0 bytes.
        QVERIFY(SaveGroups({{QStringLiteral("Alpha"), alpha + u'/', QStringLiteral("a"), QStringLiteral("3")},
                            {QStringLiteral("Gone"), env->root() + QStringLiteral("/gone/"),
                             QStringLiteral("g"), QStringLiteral("4")},
                            {QStringLiteral("Alpha renamed"), gamma + u'/', QStringLiteral("a"), QStringLiteral("5")},
                            {QStringLiteral("Alpha folder"), alpha + u'/', QStringLiteral("A"), QStringLiteral("6")}})
                 .number == GroupFileError::None);

        frmMonitor window;
        BoxAnswerer boxes;
        open(window);
        QVERIFY(boxes.seen.isEmpty());
        QCOMPARE(window.windowTitle(), QStringLiteral("Monitor Wasted Space"));
        QCOMPARE(stupCheck(window)->text(), QStringLiteral("Add to Taskbar on System Boot"));

        const QList<Row> shown = rows(window);
        QCOMPARE(shown.size(), 3);
        const QStringList expected[] = {{"Alpha renamed", "a", "5.00 MB"},
                                        {"Gone", "g", "0 bytes"},
                                        {"Alpha folder", "A", "2.93 KB"}};
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(shown[i].name, expected[i][0]);
            QCOMPARE(shown[i].key, expected[i][1]);
            QCOMPARE(shown[i].used, expected[i][2]);
            QCOMPARE(shown[i].limit, QString()); // no limits are kept
            QVERIFY(shown[i].hasIcon);
        }

        auto *list = window.findChild<QTreeWidget *>(QStringLiteral("ListView1"));
        const QStringList headers = {"Folder", "Used Space", "Monitoring Limit"};
        const double widths[] = {2500, 1500, 1500};
        for (int column = 0; column < 3; ++column) {
            QCOMPARE(list->headerItem()->text(column), headers[column]);
            // At least the designed width; wider only where a text needs it.
            QVERIFY(list->columnWidth(column) >= twipsToPixelsX(&window, widths[column]));
        }
        QCOMPARE(list->selectionBehavior(), QAbstractItemView::SelectRows);
        // The three columns show whole, without scrolling sideways.
        QTRY_VERIFY(list->header()->length() <= list->viewport()->width());
    }

    void designedColumnWidths()
    {
        frmMonitor window;
        auto *list = window.findChild<QTreeWidget *>(QStringLiteral("ListView1"));
        QCOMPARE(list->columnCount(), 3);
        QCOMPARE(list->columnWidth(0), twipsToPixelsX(&window, 2500));
        QCOMPARE(list->columnWidth(1), twipsToPixelsX(&window, 1500));
        QCOMPARE(list->columnWidth(2), twipsToPixelsX(&window, 1500));
    }

    void openingEmptiesTheReport()
    {
        writeFile(env->groupFile(), serializeGroups({}));
        writeFile(reportPath(), "/some/file      123 Bytes\r\n");
        {
            frmMonitor window;
            open(window);
        }
        QVERIFY(QFile::exists(reportPath()));
        QCOMPARE(QFileInfo(reportPath()).size(), 0);
    }

    void tableErrorKeepsRowsSoFar_data()
    {
        QTest::addColumn<QByteArray>("table");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("missing table") << QByteArray() << QStringLiteral("53 -- File not found") << QStringList{};
        QTest::newRow("record cut short")
            << QByteArray("\"One\",\"/nowhere/one/\",\"1\",\"3\"\r\n\"Two\",\"/nowhere/two/\",\"2\",\"4\"\r\n\"Three\",\"/x/\"")
            << QStringLiteral("62 -- Input past end of file") << QStringList{"One", "Two"};
    }

    void tableErrorKeepsRowsSoFar()
    {
        QFETCH(QByteArray, table);
        QFETCH(QString, message);
        QFETCH(QStringList, names);
        if (!table.isEmpty())
            writeFile(env->groupFile(), table);

        frmMonitor window;
        BoxAnswerer boxes;
        open(window);
        QCOMPARE(boxes.seen.size(), 1);
        QCOMPARE(boxes.seen.first().title, QStringLiteral("Sweepora"));
        QCOMPARE(boxes.seen.first().text, message);
        QVERIFY(window.isVisible()); // the window stays open
        QStringList shown;
        for (const Row &row : rows(window))
            shown << row.name;
        QCOMPARE(shown, names);
        QCOMPARE(QFileInfo(reportPath()).size(), 0); // emptied before the table is read
    }

    void switchStateOnOpening_data()
    {
        QTest::addColumn<QString>("startup"); // value of "Startup"; "-" for none
        QTest::addColumn<bool>("checked");
        QTest::newRow("missing") << QStringLiteral("-") << false;
        QTest::newRow("zero") << QStringLiteral("0") << false;
        QTest::newRow("one") << QStringLiteral("1") << true;
        QTest::newRow("one with blanks") << QStringLiteral(" 1 ") << true;
        QTest::newRow("one and a half") << QStringLiteral("1.5") << false;
        QTest::newRow("not a number") << QStringLiteral("yes") << false;
    }

    void switchStateOnOpening()
    {
        QFETCH(QString, startup);
        QFETCH(bool, checked);
        writeFile(env->groupFile(), serializeGroups({}));
        if (startup != QLatin1String("-"))
            RegSetValue(QLatin1String(kProgramKey), QLatin1String(kStartupValue), startup);
        // An entry left by an older copy of the program somewhere else.
        platform::writeAutostartEntry(QStringLiteral("/old/place/sweepora -m"));
        const QByteArray settingsBefore = readFile(registryFilePath());

        frmMonitor window;
        open(window);
        QCOMPARE(stupCheck(window)->isChecked(), checked);
        if (checked) {
            // Written afresh with this program's path.
            QCOMPARE(platform::readAutostartEntry(), thisProgramCommand());
            QVERIFY(readFile(autostartFile()).contains("\nExec=" + thisProgramCommand().toUtf8() + "\n"));
            QCOMPARE(RegGetValue(QLatin1String(kProgramKey), QLatin1String(kStartupValue)),
                     QStringLiteral("1") + QChar(0));
        } else {
            // Nothing is written.
            QCOMPARE(platform::readAutostartEntry(), QStringLiteral("/old/place/sweepora -m"));
            QCOMPARE(readFile(registryFilePath()), settingsBefore);
        }
    }

    void switchOffOnAndOnAgain()
    {
        writeFile(env->groupFile(), serializeGroups({}));
        frmMonitor window;
        open(window);
        QCheckBox *box = stupCheck(window);
        QVERIFY(!box->isChecked());
        QVERIFY(!QFile::exists(autostartFile()));

        const auto startup = [] {
            QString value = RegGetValue(QLatin1String(kProgramKey), QLatin1String(kStartupValue));
            return StripAtNul(value);
        };

        QTest::mouseClick(box, Qt::LeftButton);
        QVERIFY(box->isChecked());
        QVERIFY(QFile::exists(autostartFile()));
        QCOMPARE(platform::readAutostartEntry(), thisProgramCommand());
        QVERIFY(thisProgramCommand().endsWith(QLatin1String(" -m")));
        QCOMPARE(startup(), QStringLiteral("1"));

        QTest::mouseClick(box, Qt::LeftButton);
        QVERIFY(!box->isChecked());
        QVERIFY(!QFile::exists(autostartFile()));
        QCOMPARE(startup(), QStringLiteral("0"));

        QTest::mouseClick(box, Qt::LeftButton);
        QVERIFY(QFile::exists(autostartFile()));
        QCOMPARE(platform::readAutostartEntry(), thisProgramCommand());
        QCOMPARE(startup(), QStringLiteral("1"));

        // A new window reads the switch as on.
        frmMonitor again;
        open(again);
        QVERIFY(stupCheck(again)->isChecked());
    }
};

QTEST_MAIN(TestFrmMonitor)
#include "tst_frmmonitor.moc"
