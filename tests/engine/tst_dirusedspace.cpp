// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/DirUsedSpace.h"

#include "TestEnv.h"

#include <QtTest>

using namespace sweepora;
using namespace sweepora::test;

class TestDirUsedSpace : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestEnv> env;

private slots:
    void init() { env = std::make_unique<TestEnv>(); }
    void cleanup() { env.reset(); }

    void emptyAndMissing()
    {
        QString empty = env->makeDir(QStringLiteral("empty"));
        QCOMPARE(DirUsedSpace(empty), 0u);
        QString missing = env->root() + QStringLiteral("/missing");
        QCOMPARE(DirUsedSpace(missing), 0u);
        QString file = env->root() + QStringLiteral("/afile");
        writeFile(file, "12345");
        QCOMPARE(DirUsedSpace(file), 0u);
        QString none;
        QCOMPARE(DirUsedSpace(none), 0u);
        QCOMPARE(none, QString());
    }

    void sumsTreeSkippingDottedFolders()
    {
        const QString root = env->makeDir(QStringLiteral("tree"));
        writeFile(root + QStringLiteral("/a"), QByteArray(10, 'a'));
        writeFile(root + QStringLiteral("/b"), QByteArray(20, 'b'));
        writeFile(root + QStringLiteral("/sub/c"), QByteArray(5, 'c'));
        writeFile(root + QStringLiteral("/.hidden/d"), QByteArray(100, 'd'));
        writeFile(root + QStringLiteral("/.profile"), QByteArray(7, 'e'));
        // A link counts by its own size and is never followed.
        const QByteArray target = QFile::encodeName(env->root() + QStringLiteral("/empty-target"));
        QDir().mkpath(QFile::decodeName(target));
        writeFile(QFile::decodeName(target) + QStringLiteral("/big"), QByteArray(1000, 'x'));
        QVERIFY(QFile::link(QFile::decodeName(target), root + QStringLiteral("/sub/link")));
        const quint64 linkSize = static_cast<quint64>(QFile::decodeName(target).toUtf8().size());

        QString path = root; // no trailing separator
        QCOMPARE(DirUsedSpace(path), 10u + 20u + 5u + 7u + linkSize);
        QCOMPARE(path, root + u'/');
        QString again = path;
        QCOMPARE(DirUsedSpace(again), 10u + 20u + 5u + 7u + linkSize);
        QCOMPARE(again, path);
    }

    void sparseFilesBeyond4GiB()
    {
        const QString root = env->makeDir(QStringLiteral("big"));
        for (const char *name : {"one", "two"}) {
            QFile file(root + u'/' + QLatin1String(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
            QVERIFY(file.resize(qint64(3) << 30)); // sparse: no disk used
        }
        QString path = root;
        QCOMPARE(DirUsedSpace(path), quint64(6) << 30);
    }
};

QTEST_GUILESS_MAIN(TestDirUsedSpace)
#include "tst_dirusedspace.moc"
