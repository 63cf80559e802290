// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/Listing.h"
#include "engine/SingleDelete.h"

#include "Fixtures.h"
#include "TestEnv.h"

#include <QtTest>

using namespace sweepora;
using namespace sweepora::test;

Q_DECLARE_METATYPE(SingleDeleteResult)

class TestSingleDelete : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestEnv> env;

private slots:
    void init() { env = std::make_unique<TestEnv>(); }
    void cleanup()
    {
        removeTree(env->root());
        env.reset();
    }

    void deleteOne_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<SingleDeleteResult>("result");
        QTest::addColumn<bool>("stillThere");
        QTest::newRow("plain file") << "file" << SingleDeleteResult::Deleted << false;
        QTest::newRow("gone already") << "missing" << SingleDeleteResult::Failed << false;
        QTest::newRow("link, not its target") << "link" << SingleDeleteResult::Deleted << false;
        QTest::newRow("folder") << "folder" << SingleDeleteResult::Failed << true;
        QTest::newRow("held open") << "open" << SingleDeleteResult::Locked << true;
        QTest::newRow("socket bound by a process") << "socket" << SingleDeleteResult::Locked << true;
        QTest::newRow("stale socket, nothing bound") << "stale socket" << SingleDeleteResult::Deleted << false;
        QTest::newRow("deeper than the path limit") << "deep" << SingleDeleteResult::Deleted << false;
        QTest::newRow("another user's in a shared sticky folder") << "sticky" << SingleDeleteResult::Locked << true;
    }

    void deleteOne()
    {
        QFETCH(QString, kind);
        QFETCH(SingleDeleteResult, result);
        QFETCH(bool, stillThere);

        const QString root = env->makeDir(QStringLiteral("g"));
        const QString target = env->makeDir(QStringLiteral("target")) + QStringLiteral("/kept");
        writeFile(target, "target");
        QByteArray path = QFile::encodeName(root + QStringLiteral("/victim"));
        QFile held;
        std::unique_ptr<SocketFile> socket;
        if (kind == QLatin1String("file") || kind == QLatin1String("open") || kind == QLatin1String("sticky")) {
            writeFile(QFile::decodeName(path), "12345");
        } else if (kind == QLatin1String("link")) {
            QVERIFY(QFile::link(target, QFile::decodeName(path)));
        } else if (kind == QLatin1String("folder")) {
            QDir().mkpath(QFile::decodeName(path));
        } else if (kind == QLatin1String("socket")) {
            socket = std::make_unique<SocketFile>(path);
            QVERIFY(socket->isBound());
        } else if (kind == QLatin1String("stale socket")) {
            QVERIFY(SocketFile(path).isBound()); // closed at once: the file stays, unbound
            QVERIFY(QFileInfo::exists(QFile::decodeName(path)));
        } else if (kind == QLatin1String("deep")) {
            const QByteArray name(40, 'd');
            QVERIFY(makeDeepTree(QFile::encodeName(root), 300, name, "victim", "12345"));
            path = QFile::encodeName(root);
            for (int i = 0; i < 300; ++i)
                path += '/' + name;
            path += "/victim";
        }
        if (kind == QLatin1String("open")) {
            held.setFileName(QFile::decodeName(path));
            QVERIFY(held.open(QIODevice::ReadOnly));
        }
        if (kind == QLatin1String("sticky")) {
            if (!runningAsRoot())
                QSKIP("giving a file to another user needs root");
            QVERIFY(changeMode(root, 01777));
            QVERIFY(changeOwner(QFile::decodeName(path), otherUser, otherUser));
        }

        QCOMPARE(deleteSingleFile(path), result);
        if (kind == QLatin1String("deep")) {
            // Qt cannot look that deep: the walk can. Only the folders are left.
            QCOMPARE(listFolder(root).fileCount(), 300u);
            return;
        }
        QCOMPARE(QFileInfo::exists(QFile::decodeName(path)) || QFileInfo(QFile::decodeName(path)).isSymLink(),
                 stillThere);
        QVERIFY(QFile::exists(target));
    }
};

QTEST_GUILESS_MAIN(TestSingleDelete)
#include "tst_singledelete.moc"
