// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/Registry.h"

#include "TestEnv.h"
#include "platform/Autostart.h"

#include <QtTest>

using namespace sweepora;
using sweepora::test::TestEnv;
using sweepora::test::readFile;
using sweepora::test::writeFile;

class TestRegistry : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestEnv> env;

private slots:
    void init() { env = std::make_unique<TestEnv>(); }
    void cleanup() { env.reset(); }

    void missingKeyReadsEmpty()
    {
        QCOMPARE(RegGetValue(QLatin1String(kProgramKey), QLatin1String(kStartupValue)), QString());
        QCOMPARE(RegLastError(), int(RegFileNotFound));
    }

    void setThenGet()
    {
        RegSetValue(QLatin1String(kProgramKey), QLatin1String(kStartupValue), QStringLiteral("1"));
        const QString value = RegGetValue(QLatin1String(kProgramKey), QLatin1String(kStartupValue));
        QCOMPARE(value, QStringLiteral("1") + QChar(0)); // text then its NUL
        QCOMPARE(RegLastError(), int(RegSuccess));
        QCOMPARE(RegErrorText(), QStringLiteral("The operation completed successfully."));
        // Key names are one key whatever their case.
        QCOMPARE(RegGetValue(QStringLiteral("Software\\vantrel"), QStringLiteral("startup")), value);
        QVERIFY(QFile::exists(env->configDir() + QStringLiteral("/registry.ini")));
    }

    // Without a usable configuration folder nothing is read or written, and
    // no settings file at the root of the file system stands in for it.
    void unusableConfigFolderIsRefused()
    {
        const QString notAFolder = env->root() + QStringLiteral("/config-file");
        QVERIFY(writeFile(notAFolder, "x"));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(notAFolder));
        QCOMPARE(registryFilePath(), QString());
        RegSetValue(QLatin1String(kProgramKey), QLatin1String(kStartupValue), QStringLiteral("1"));
        QCOMPARE(RegGetValue(QLatin1String(kProgramKey), QLatin1String(kStartupValue)), QString());
        QCOMPARE(RegLastError(), int(RegAccessDenied));
        QCOMPARE(readFile(notAFolder), QByteArray("x"));
    }

    void deletingMissingValueChangesNothing()
    {
        RegSetValue(QLatin1String(kProgramKey), QLatin1String(kStartupValue), QStringLiteral("0"));
        const QByteArray before = readFile(registryFilePath());
        RegDelValue(QLatin1String(kProgramKey), QStringLiteral("NoSuchValue"));
        RegDelValue(QStringLiteral("SOFTWARE\\NoSuchKey"), QStringLiteral("x"));
        QCOMPARE(readFile(registryFilePath()), before);
        RegDelValue(QLatin1String(kProgramKey), QLatin1String(kStartupValue));
        QCOMPARE(RegGetValue(QLatin1String(kProgramKey), QLatin1String(kStartupValue)), QString());
    }

    void listKeys()
    {
        RegMakeKey(QStringLiteral("Software\\Vantrel"));
        QCOMPARE(RegListKeys(QStringLiteral("Software\\Vantrel")), QStringList());
        QCOMPARE(RegLastError(), int(RegNoMoreItems));
        QCOMPARE(RegErrorText(), QStringLiteral("No more data is available."));

        RegMakeKey(QStringLiteral("Software\\Vantrel\\Alpha"));
        RegMakeKey(QStringLiteral("Software\\Vantrel\\Beta"));
        QCOMPARE(RegListKeys(QStringLiteral("SOFTWARE\\Vantrel")), (QStringList{"Alpha", "Beta"}));
        RegKillKey(QStringLiteral("Software\\Vantrel\\Alpha"));
        QCOMPARE(RegListKeys(QStringLiteral("Software\\Vantrel")), (QStringList{"Beta"}));
        RegKillKey(QStringLiteral("Software\\Vantrel")); // has a sub-key: stays, as in the registry
        QCOMPARE(RegListKeys(QStringLiteral("Software\\Vantrel")), (QStringList{"Beta"}));
    }

    void runValueIsTheAutostartEntry()
    {
        const QString entry = env->root() + QStringLiteral("/config/autostart/sweepora.desktop");
        const QString command = platform::monitorModeCommandLine(QStringLiteral("/opt/my apps/sweepora"));
        QCOMPARE(command, QStringLiteral("\"/opt/my apps/sweepora\" -m"));

        RegSetValue(QLatin1String(kRunKey), QLatin1String(kRunValue), command);
        QVERIFY(QFile::exists(entry));
        QVERIFY(readFile(entry).contains("\nExec=\"/opt/my apps/sweepora\" -m\n"));
        QCOMPARE(RegGetValue(QLatin1String(kRunKey), QLatin1String(kRunValue)), command + QChar(0));

        RegDelValue(QLatin1String(kRunKey), QLatin1String(kRunValue));
        QVERIFY(!QFile::exists(entry));
        QCOMPARE(RegGetValue(QLatin1String(kRunKey), QLatin1String(kRunValue)), QString());
        RegDelValue(QLatin1String(kRunKey), QLatin1String(kRunValue)); // twice: nothing happens
        QVERIFY(!QFile::exists(entry));
    }
};

QTEST_GUILESS_MAIN(TestRegistry)
#include "tst_registry.moc"
