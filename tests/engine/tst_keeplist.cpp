// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/KeepList.h"

#include <QtTest>

using namespace sweepora;
using platform::EntryType;

Q_DECLARE_METATYPE(EntryType)

class TestKeepList : public QObject
{
    Q_OBJECT

private slots:
    void shared_temp_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<EntryType>("type");
        QTest::addColumn<bool>("kept");

        // The X server's lock and authority files.
        QTest::newRow("X lock of display 0") << QByteArray(".X0-lock") << EntryType::File << true;
        QTest::newRow("X lock of display 1024") << QByteArray(".X1024-lock") << EntryType::File << true;
        QTest::newRow("X lock without a number") << QByteArray(".X-lock") << EntryType::File << false;
        QTest::newRow("X lock with letters") << QByteArray(".Xa1-lock") << EntryType::File << false;
        QTest::newRow("X lock, a folder of that name") << QByteArray(".X0-lock") << EntryType::Folder << false;
        QTest::newRow("X lock with more behind") << QByteArray(".X0-lock.bak") << EntryType::File << false;
        QTest::newRow("display manager's auth") << QByteArray("xauth_AbCdEf") << EntryType::File << true;
        QTest::newRow("dotted auth") << QByteArray(".xauthQ1w2e3") << EntryType::File << true;
        QTest::newRow("startx auth") << QByteArray("serverauth.Zx81") << EntryType::File << true;
        QTest::newRow("the prefix alone") << QByteArray("xauth_") << EntryType::File << false;
        QTest::newRow("case differs") << QByteArray("XAUTH_AbCdEf") << EntryType::File << false;
        QTest::newRow("auth, a link") << QByteArray("xauth_AbCdEf") << EntryType::Link << false;

        // Kerberos ticket caches: a file, or a folder of caches.
        QTest::newRow("ticket cache") << QByteArray("krb5cc_1000") << EntryType::File << true;
        QTest::newRow("ticket cache folder") << QByteArray("krb5cc_1000_dir") << EntryType::Folder << true;

        // The socket folders, whole.
        QTest::newRow(".X11-unix") << QByteArray(".X11-unix") << EntryType::Folder << true;
        QTest::newRow(".ICE-unix") << QByteArray(".ICE-unix") << EntryType::Folder << true;
        QTest::newRow(".XIM-unix") << QByteArray(".XIM-unix") << EntryType::Folder << true;
        QTest::newRow(".font-unix") << QByteArray(".font-unix") << EntryType::Folder << true;
        QTest::newRow(".Test-unix") << QByteArray(".Test-unix") << EntryType::Folder << true;
        QTest::newRow(".X11-unix, a file") << QByteArray(".X11-unix") << EntryType::File << false;
        QTest::newRow(".X11-unix with more behind") << QByteArray(".X11-unix-old") << EntryType::Folder << false;

        // Services' private folders, Java, VirtualBox, Wine.
        QTest::newRow("service private folder")
            << QByteArray("systemd-private-0123abcd-colord.service-XyZ") << EntryType::Folder << true;
        QTest::newRow("java performance data") << QByteArray("hsperfdata_alice") << EntryType::Folder << true;
        QTest::newRow("virtualbox ipc") << QByteArray(".vbox-alice-ipc") << EntryType::Folder << true;
        QTest::newRow("virtualbox, no ipc") << QByteArray(".vbox-alice") << EntryType::Folder << false;
        QTest::newRow("wine server") << QByteArray(".wine-1000") << EntryType::Folder << true;

        // Ordinary leftovers go.
        QTest::newRow("a program's temporary file") << QByteArray("tmpa8d7f.txt") << EntryType::File << false;
        QTest::newRow("a browser's profile guard folder")
            << QByteArray("org.chromium.Chromium.AbCdEf") << EntryType::Folder << false;
        QTest::newRow("socket") << QByteArray(".X11-unix") << EntryType::Socket << false;
    }

    void shared_temp()
    {
        QFETCH(QByteArray, name);
        QFETCH(EntryType, type);
        QFETCH(bool, kept);
        QCOMPARE(isKeptInSharedTemp(name.constData(), type), kept);
    }
};

QTEST_GUILESS_MAIN(TestKeepList)
#include "tst_keeplist.moc"
