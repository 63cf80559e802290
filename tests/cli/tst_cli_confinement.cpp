// SPDX-License-Identifier: GPL-3.0-or-later
// Every walk stays inside its group folder, and says so when it cannot
// walk it whole: mounts of the same file system, relative paths, links
// planted by another user, deep trees with few descriptors, refused groups.

#include "TestEnv.h"
#include "core/AppFiles.h"
#include "engine/Fixtures.h"

#include <QtTest>

using namespace sweepora;
using namespace sweepora::test;

namespace {

QByteArray groupLine(const QString &name, const QString &path, const QString &key)
{
    return QStringLiteral("\"%1\",\"%2\",\"%3\",\"3\"\r\n").arg(name, path, key).toUtf8();
}

// Runs a shell script with the command line's path as "$CLI", in the
// folder `workingFolder`; returns its exit status.
int runScript(const QString &script, const QStringList &args = {}, const QString &workingFolder = {},
              const QStringList &prefix = {})
{
    QProcess process;
    if (!workingFolder.isEmpty())
        process.setWorkingDirectory(workingFolder);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("CLI"), QStringLiteral(SWEEPORA_CLI_PATH));
    process.setProcessEnvironment(environment);
    const QStringList shell{QStringLiteral("sh"), QStringLiteral("-c"), script, QStringLiteral("sh")};
    const QStringList command = prefix + shell + args;
    process.start(command.first(), command.mid(1));
    process.closeWriteChannel();
    process.waitForFinished(300000);
    if (process.exitCode() != 0)
        qWarning("%s", process.readAllStandardError().constData());
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

bool canUnshareMounts()
{
    return runningAsRoot()
        && QProcess::execute(QStringLiteral("unshare"), {QStringLiteral("--mount"), QStringLiteral("true")}) == 0;
}

} // namespace

class TestCliConfinement : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestEnv> env;

private slots:
    void init() { env = std::make_unique<TestEnv>(); }
    void cleanup() { env.reset(); }

    // A folder of the same file system bound inside a group is a mount
    // point like any other: cleaning, listing and the used-space sum all
    // stop there.
    void bindMountsAreNotEntered()
    {
        if (!canUnshareMounts())
            QSKIP("needs a private mount namespace (root with unshare)");
        const QString root = env->makeDir(QStringLiteral("g"));
        const QString outside = env->makeDir(QStringLiteral("outside"));
        buildTree(root, {"bound/", "mine=3"});
        buildTree(outside, {"precious=7", "deep/precious=9"});
        writeFile(env->groupFile(), groupLine("G", root + u'/', "k"));
        const QString script = QStringLiteral(
            "mount --bind \"$1\" \"$2/bound\" || exit 10\n"
            "\"$CLI\" used \"$2\" | grep -qx '3\t3 bytes' || exit 11\n"
            "\"$CLI\" list k | grep -q precious && exit 12\n"
            "\"$CLI\" clean k --yes >/dev/null || exit 13\n"
            "test -f \"$1/precious\" && test -f \"$1/deep/precious\" || exit 14\n");
        const int status = runScript(script, {outside, root}, {},
                                     {QStringLiteral("unshare"), QStringLiteral("--mount"),
                                      QStringLiteral("--propagation"), QStringLiteral("private"), QStringLiteral("--")});
        QCOMPARE(status, 0);
        QVERIFY(QFile::exists(outside + QStringLiteral("/precious")));
        QVERIFY(!QFile::exists(root + QStringLiteral("/mine")));
        QVERIFY(!readFile(reportPath()).contains("precious"));
    }

    // A path that is not absolute would name a folder that depends on where
    // the program was started: every verb refuses it, naming the group.
    void relativePathsAreRefused_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("dot") << QStringLiteral(".");
        QTest::newRow("sub-folder") << QStringLiteral("sub/");
        QTest::newRow("a key where a path belongs") << QStringLiteral("outside");
        QTest::newRow("home shorthand") << QStringLiteral("~/x/");
    }

    void relativePathsAreRefused()
    {
        QFETCH(QString, path);
        const QString cwd = env->makeDir(QStringLiteral("cwd"));
        buildTree(cwd, {"sub/keep=3", "outside/keep=4", "~/x/keep=5", "keep=6"});
        writeFile(env->groupFile(), groupLine("G", path, "k"));

        QProcess process;
        process.setWorkingDirectory(cwd);
        for (const QStringList &args : {QStringList{QStringLiteral("clean"), QStringLiteral("k"), QStringLiteral("--yes")},
                                        QStringList{QStringLiteral("list"), QStringLiteral("k")},
                                        QStringList{QStringLiteral("monitor")},
                                        QStringList{QStringLiteral("used"), path}}) {
            process.start(QStringLiteral(SWEEPORA_CLI_PATH), args);
            process.closeWriteChannel();
            QVERIFY(process.waitForFinished(60000));
            QCOMPARE(process.exitCode(), 1);
            QVERIFY2(process.readAllStandardError().contains("is not a full path"), qPrintable(args.join(u' ')));
        }
        QCOMPARE(QDir(cwd).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).size(), 4);
        QVERIFY(QFile::exists(cwd + QStringLiteral("/sub/keep")));
        QVERIFY(QFile::exists(cwd + QStringLiteral("/keep")));
    }

    // In a folder shared with everyone under the sticky bit, a link that
    // another user put in the group folder's place is not followed, whatever
    // the machine's protected_symlinks setting; the user's own link is.
    void plantedLinksAreNotFollowed_data()
    {
        QTest::addColumn<bool>("planted");
        QTest::newRow("another user's link") << true;
        QTest::newRow("the user's own link") << false;
    }

    void plantedLinksAreNotFollowed()
    {
        QFETCH(bool, planted);
        if (!runningAsRoot())
            QSKIP("giving a link to another user needs root");
        const QString shared = env->makeDir(QStringLiteral("shared"));
        QVERIFY(changeMode(shared, 01777));
        const QString victim = env->makeDir(QStringLiteral("victim"));
        buildTree(victim, {"precious=7"});
        const QString link = shared + QStringLiteral("/group");
        QVERIFY(QFile::link(victim, link));
        if (planted)
            QVERIFY(::lchown(QFile::encodeName(link).constData(), otherUser, otherUser) == 0);
        writeFile(env->groupFile(), groupLine("G", link + u'/', "k"));

        const CliResult clean = runCli({QStringLiteral("clean"), QStringLiteral("k"), QStringLiteral("--yes")});
        const CliResult list = runCli({QStringLiteral("list"), QStringLiteral("k")});
        QCOMPARE(QFile::exists(victim + QStringLiteral("/precious")), planted);
        QCOMPARE(clean.exitCode, planted ? 1 : 0);
        QCOMPARE(list.exitCode, planted ? 1 : 0);
        if (planted) {
            QVERIFY(clean.err.contains("Group k: "));
            QVERIFY(clean.err.contains("belongs to another user"));
            QVERIFY(!list.out.contains("precious"));
        }
    }

    // However deep the tree and however few descriptors the process may
    // hold, every walk reaches the bottom and tells the truth.
    void deepTreesWithFewDescriptors()
    {
        const QString root = env->makeDir(QStringLiteral("g"));
        buildTree(root, {"top=5"});
        QVERIFY(makeDeepTree(QFile::encodeName(root), 3000, "d", "leaf", "1234567"));
        writeFile(env->groupFile(), groupLine("G", root + u'/', "k"));
        const QString script = QStringLiteral(
            "ulimit -n 40 || exit 10\n"
            "\"$CLI\" used \"$1\" | grep -qx '12\t12 bytes' || exit 11\n"
            "test \"$(\"$CLI\" list k | grep -c '^leaf\t7 bytes')\" = 1 || exit 12\n"
            "\"$CLI\" clean k --yes >/dev/null || exit 13\n");
        QCOMPARE(runScript(script, {root}), 0);
        QCOMPARE(QDir(root).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
        QCOMPARE(readFile(reportPath()).count('\n'), 2);
    }

    // A group refused as the home folder fails the run, and the other
    // groups are still cleaned.
    void refusedGroupsFailTheRun()
    {
        const QString root = env->makeDir(QStringLiteral("g"));
        buildTree(root, {"f=3"});
        buildTree(env->home(), {"keep=4"});
        writeFile(env->groupFile(), groupLine("Home", env->home() + u'/', "h") + groupLine("G", root + u'/', "k"));
        const CliResult result = runCli({QStringLiteral("clean"), QStringLiteral("--all"), QStringLiteral("--yes")});
        QCOMPARE(result.exitCode, 1);
        QVERIFY(result.out.startsWith("Operation Complete\n"));
        QVERIFY(result.err.contains("Group h: "));
        QVERIFY(QFile::exists(env->home() + QStringLiteral("/keep")));
        QVERIFY(!QFile::exists(root + QStringLiteral("/f")));
    }
};

QTEST_GUILESS_MAIN(TestCliConfinement)
#include "tst_cli_confinement.moc"
