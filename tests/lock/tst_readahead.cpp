// SPDX-License-Identifier: GPL-3.0-or-later
// Reading ahead into a ring of buffers: every chunk arrives once and in
// order, a failure arrives after the chunks read before it, and a consumer
// that stops early never leaves the reading thread hanging.

#include "lock/ReadAhead.h"

#include <QtTest>

#include <atomic>

using namespace sweepora::lock;

namespace {

// A stream of `total` bytes (byte i is i mod 251) that fails on read number
// `failAt` (0: never).
struct Source
{
    qint64 total = 0;
    int failAt = 0;
    qint64 position = 0;
    std::atomic<int> reads = 0;

    qint64 read(char *data, qint64 size, QString *error)
    {
        if (++reads == failAt) {
            *error = QStringLiteral("Input/output error");
            return -1;
        }
        const qint64 n = qMin(size, total - position);
        for (qint64 i = 0; i < n; ++i)
            data[i] = char((position + i) % 251);
        position += n;
        return n;
    }
};

} // namespace

class TestReadAhead : public QObject
{
    Q_OBJECT

private slots:
    void wholeStream_data()
    {
        QTest::addColumn<qint64>("total");
        QTest::addColumn<int>("buffers");
        QTest::newRow("empty") << qint64(0) << 3;
        QTest::newRow("one short chunk") << qint64(5) << 3;
        QTest::newRow("exact chunks") << qint64(64) << 3;
        QTest::newRow("many rounds of the ring") << qint64(10000 + 7) << 3;
        QTest::newRow("one buffer") << qint64(1000) << 1;
    }

    void wholeStream()
    {
        QFETCH(qint64, total);
        QFETCH(int, buffers);
        Source source{total};
        ReadAhead ahead([&](char *d, qint64 s, QString *e) { return source.read(d, s, e); }, buffers, 16);
        QByteArray got;
        for (;;) {
            ReadAhead::Chunk chunk;
            QString error;
            QVERIFY(ahead.next(chunk, &error));
            if (chunk.size == 0)
                break;
            QVERIFY(chunk.size <= 16);
            got.append(chunk.data, chunk.size);
            ahead.release();
        }
        QCOMPARE(got.size(), total);
        for (qint64 i = 0; i < total; ++i)
            QCOMPARE(int(static_cast<unsigned char>(got[i])), int(i % 251));
    }

    // The chunks read before a failure still arrive, then the failure.
    void failureAfterChunks()
    {
        Source source{1000, 4};
        ReadAhead ahead([&](char *d, qint64 s, QString *e) { return source.read(d, s, e); }, 2, 16);
        QString error;
        ReadAhead::Chunk chunk;
        for (int i = 0; i < 3; ++i) {
            QVERIFY(ahead.next(chunk, &error));
            QCOMPARE(chunk.size, qint64(16));
            ahead.release();
        }
        QVERIFY(!ahead.next(chunk, &error));
        QCOMPARE(error, QStringLiteral("Input/output error"));
    }

    // Stopping with a chunk in hand and the ring full: the reader, waiting
    // for a free buffer, is stopped and joined.
    void stopEarly()
    {
        Source source{1 << 20};
        {
            ReadAhead ahead([&](char *d, qint64 s, QString *e) { return source.read(d, s, e); }, 3, 16);
            ReadAhead::Chunk chunk;
            QString error;
            QVERIFY(ahead.next(chunk, &error));
            QTRY_COMPARE(source.reads.load(), 3);
        }
        QCOMPARE(source.reads.load(), 3);
    }
};

QTEST_GUILESS_MAIN(TestReadAhead)
#include "tst_readahead.moc"
