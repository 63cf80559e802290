// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/Registry.h"
#include "ui/monitor/frmRegistry.h"

#include "MessageBoxAnswer.h"
#include "TestEnv.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

using namespace sweepora;
using namespace sweepora::test;

class TestFrmRegistry : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestEnv> env;

    static void click(QWidget *window, const char *name)
    {
        auto *button = window->findChild<QPushButton *>(QLatin1String(name));
        QVERIFY2(button, name);
        button->click();
    }

    static QStringList listed(QWidget *window)
    {
        auto *list = window->findChild<QListWidget *>(QStringLiteral("lstKeys"));
        QStringList names;
        for (int i = 0; i < list->count(); ++i)
            names << list->item(i)->text();
        return names;
    }

private slots:
    void init() { env = std::make_unique<TestEnv>(); }
    void cleanup() { env.reset(); }

    void buttonsAndCaption()
    {
        frmRegistry window;
        window.setAttribute(Qt::WA_DeleteOnClose, false);
        QCOMPARE(window.windowTitle(), QStringLiteral("Save Registry Settings"));
        const QPair<const char *, const char *> buttons[] = {
            {"cmdEnumKeys", "EnumKeys"},  {"cmdCreateKey", "CreateKey"},   {"cmdDeleteKey", "DeleteKey"},
            {"cmdgetvalue", "getvalue"},  {"cmdSaveValue1", "savevalue1"}, {"cmdSaveValue", "savevalue0"},
            {"cmdLoad", "Load"},          {"cmdSave", "Save"}};
        for (const auto &[name, caption] : buttons) {
            auto *button = window.findChild<QPushButton *>(QLatin1String(name));
            QVERIFY2(button, name);
            QCOMPARE(button->text(), QLatin1String(caption));
        }
        for (const char *name : {"txtKey", "txtName", "txtPostCode", "txtPhone"})
            QVERIFY2(window.findChild<QLineEdit *>(QLatin1String(name)), name);
    }

    void keysAndStartupValue()
    {
        frmRegistry window;
        window.setAttribute(Qt::WA_DeleteOnClose, false);
        window.show();
        BoxAnswerer boxes;

        // No key yet: nothing listed, the message for a missing key.
        click(&window, "cmdEnumKeys");
        QCOMPARE(listed(&window), QStringList());
        QCOMPARE(boxes.texts(), QStringList{"The system cannot find the file specified."});

        window.findChild<QLineEdit *>(QStringLiteral("txtKey"))->setText(QStringLiteral("Alpha"));
        click(&window, "cmdCreateKey");
        click(&window, "cmdEnumKeys");
        QCOMPARE(listed(&window), QStringList{"Alpha"});
        QCOMPARE(boxes.texts().last(), QStringLiteral("No more data is available."));

        click(&window, "cmdDeleteKey");
        window.findChild<QListWidget *>(QStringLiteral("lstKeys"))->clear();
        click(&window, "cmdEnumKeys");
        QCOMPARE(listed(&window), QStringList());

        // The inert controls change nothing.
        const QByteArray settings = readFile(registryFilePath());
        click(&window, "cmdLoad");
        click(&window, "cmdSave");
        QCOMPARE(readFile(registryFilePath()), settings);

        const qsizetype before = boxes.seen.size();
        click(&window, "cmdSaveValue1");
        QCOMPARE(RegGetValue(QLatin1String(kProgramKey), QLatin1String(kStartupValue)), QStringLiteral("1") + QChar(0));
        click(&window, "cmdgetvalue");
        click(&window, "cmdSaveValue");
        QCOMPARE(RegGetValue(QLatin1String(kProgramKey), QLatin1String(kStartupValue)), QStringLiteral("0") + QChar(0));
        click(&window, "cmdgetvalue");
        QCOMPARE(boxes.texts().mid(before),
                 (QStringList{"The operation completed successfully.",
                              "1", "The operation completed successfully.",
                              "The operation completed successfully.",
                              "0", "The operation completed successfully."}));
        for (const SeenBox &box : boxes.seen)
            QCOMPARE(box.title, QStringLiteral("Sweepora"));
    }
};

QTEST_MAIN(TestFrmRegistry)
#include "tst_frmregistry.moc"
