// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/RecentDocuments.h"

#include "TestEnv.h"

#include <QXmlStreamReader>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

using namespace sweepora;
using namespace sweepora::test;

namespace {

const QByteArray twoItems =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<xbel version=\"1.0\"\n"
    "      xmlns:bookmark=\"http://www.freedesktop.org/standards/desktop-bookmarks\"\n"
    "      xmlns:mime=\"http://www.freedesktop.org/standards/shared-mime-info\"\n"
    ">\n"
    "  <bookmark href=\"file:///home/ann/report.odt\" added=\"2026-12-01T10:00:00.000000Z\" "
    "modified=\"2026-12-01T10:00:00.000000Z\" visited=\"2026-12-01T10:00:00.000000Z\">\n"
    "    <info><metadata owner=\"http://freedesktop.org\"><mime:mime-type type=\"application/vnd.oasis.opendocument.text\"/>"
    "<bookmark:applications><bookmark:application name=\"LibreOffice\" exec=\"&apos;soffice %u&apos;\" "
    "modified=\"2026-12-01T10:00:00.000000Z\" count=\"1\"/></bookmark:applications></metadata></info>\n"
    "  </bookmark>\n"
    "  <bookmark href=\"file:///home/ann/photo.png\" added=\"2026-12-02T10:00:00.000000Z\" "
    "modified=\"2026-12-02T10:00:00.000000Z\" visited=\"2026-12-02T10:00:00.000000Z\"/>\n"
    "</xbel>";

// What a reader of bookmark files finds: the version and the number of
// bookmarks; an empty version when the document is not a valid XBEL one.
struct Read
{
    QString version;
    int bookmarks = 0;
};

Read readList(const QByteArray &bytes)
{
    QXmlStreamReader xml(bytes);
    Read read;
    if (!xml.readNextStartElement() || xml.name() != QLatin1String("xbel"))
        return {};
    read.version = xml.attributes().value(QLatin1String("version")).toString();
    while (xml.readNextStartElement()) {
        if (xml.name() == QLatin1String("bookmark"))
            ++read.bookmarks;
        xml.skipCurrentElement();
    }
    if (xml.hasError())
        return {};
    return read;
}

QFile::Permissions permissionsOf(const QString &path)
{
    return QFileInfo(path).permissions();
}

} // namespace

class TestRecentDocuments : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestEnv> env;
    QString list() const { return env->root() + QStringLiteral("/data/recently-used.xbel"); }

private slots:
    void init() { env = std::make_unique<TestEnv>(); }
    void cleanup() { env.reset(); }

    void listPathFollowsDataHome()
    {
        QCOMPARE(recentlyUsedListPath(), list());
        qputenv("XDG_DATA_HOME", "relative/data");
        QCOMPARE(recentlyUsedListPath(), env->home() + QStringLiteral("/.local/share/recently-used.xbel"));
    }

    void clearsKeepingTheFile_data()
    {
        QTest::addColumn<int>("mode");
        QTest::newRow("private list") << 0600;
        QTest::newRow("readable by all") << 0644;
    }

    // The list is replaced by an empty, valid one with the same
    // permissions, through a new file: a reader holding the old one keeps
    // reading the old content.
    void clearsKeepingTheFile()
    {
        QFETCH(int, mode);
        QVERIFY(writeFile(list(), twoItems));
        QVERIFY(::chmod(QFile::encodeName(list()).constData(), mode_t(mode)) == 0);
        QCOMPARE(readList(twoItems).bookmarks, 2);
        const QFile::Permissions before = permissionsOf(list());
        QFile reader(list());
        QVERIFY(reader.open(QIODevice::ReadOnly));

        QString error;
        QVERIFY(clearRecentlyUsedList(&error));
        QVERIFY(error.isEmpty());
        QCOMPARE(readFile(list()), emptyRecentlyUsedList());
        const Read read = readList(readFile(list()));
        QCOMPARE(read.version, QStringLiteral("1.0"));
        QCOMPARE(read.bookmarks, 0);
        QCOMPARE(permissionsOf(list()), before);
        QCOMPARE(reader.readAll(), twoItems);

        // Clearing an empty list again changes nothing.
        QVERIFY(clearRecentlyUsedList(&error));
        QCOMPARE(readFile(list()), emptyRecentlyUsedList());
    }

    void leavesWhatIsNoList_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("no list") << "missing";
        QTest::newRow("link to /dev/null") << "null link";
        QTest::newRow("link to a list elsewhere") << "link";
        QTest::newRow("folder") << "folder";
    }

    // Users turn the list off by making it a link or a folder: nothing is
    // written, and no file appears where there was none.
    void leavesWhatIsNoList()
    {
        QFETCH(QString, kind);
        const QString elsewhere = env->root() + QStringLiteral("/elsewhere.xbel");
        QVERIFY(writeFile(elsewhere, twoItems));
        if (kind == QLatin1String("null link"))
            QVERIFY(QFile::link(QStringLiteral("/dev/null"), list()));
        else if (kind == QLatin1String("link"))
            QVERIFY(QFile::link(elsewhere, list()));
        else if (kind == QLatin1String("folder"))
            QVERIFY(QDir().mkpath(list()));

        QString error;
        QVERIFY(clearRecentlyUsedList(&error));
        QVERIFY(error.isEmpty());
        const QFileInfo after(list());
        if (kind == QLatin1String("missing")) {
            QVERIFY(!after.exists());
        } else if (kind == QLatin1String("folder")) {
            QVERIFY(after.isDir());
        } else {
            QVERIFY(after.isSymLink());
            QCOMPARE(after.symLinkTarget(), kind == QLatin1String("link") ? elsewhere : QStringLiteral("/dev/null"));
        }
        QCOMPARE(readFile(elsewhere), twoItems);
    }

    void failureLeavesTheList()
    {
        if (::geteuid() == 0)
            QSKIP("root may write into any folder");
        QVERIFY(writeFile(list(), twoItems));
        const QString data = env->root() + QStringLiteral("/data");
        QVERIFY(QFile::setPermissions(data, QFile::ReadOwner | QFile::ExeOwner));
        QString error;
        const bool cleared = clearRecentlyUsedList(&error);
        QFile::setPermissions(data, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QVERIFY(!cleared);
        QVERIFY(!error.isEmpty());
        QCOMPARE(readFile(list()), twoItems);
    }

    void recentDocumentsFolderByIdentity_data()
    {
        QTest::addColumn<QString>("groupPath");
        QTest::addColumn<bool>("same");
        QTest::newRow("the folder") << "data/RecentDocuments" << true;
        QTest::newRow("with a trailing slash") << "data/RecentDocuments/" << true;
        QTest::newRow("through a link") << "link-to-recent/" << true;
        QTest::newRow("through a detour") << "data/../data/RecentDocuments/" << true;
        QTest::newRow("another folder") << "data/Trash/" << false;
        QTest::newRow("missing") << "data/Nothing/" << false;
        QTest::newRow("empty") << "" << false;
    }

    void recentDocumentsFolderByIdentity()
    {
        QFETCH(QString, groupPath);
        QFETCH(bool, same);
        QVERIFY(QDir().mkpath(env->root() + QStringLiteral("/data/RecentDocuments")));
        QVERIFY(QDir().mkpath(env->root() + QStringLiteral("/data/Trash")));
        QVERIFY(QFile::link(env->root() + QStringLiteral("/data/RecentDocuments"),
                            env->root() + QStringLiteral("/link-to-recent")));
        QCOMPARE(isRecentDocumentsFolder(groupPath.isEmpty() ? groupPath : env->root() + u'/' + groupPath), same);
    }
};

QTEST_GUILESS_MAIN(TestRecentDocuments)
#include "tst_recentdocuments.moc"
