// SPDX-License-Identifier: GPL-3.0-or-later
// The cipher, the key derivation and the check value against vectors worked
// out by hand from the format's rules, and against a plain step-by-step
// model of the generator over long and split inputs.

#include "lock/Cipher.h"
#include "lock/LockedFile.h"
#include "lock/LockVectors.h"

#include <QCryptographicHash>
#include <QRandomGenerator>
#include <QtTest>

using namespace sweepora::lock;

namespace {

// The cipher as the rules state it, one generator step per alphabet byte.
QByteArray modelCipher(QByteArray text, const CipherKeys &keys)
{
    int state = keys.k1;
    const int multiplier = (4 * keys.k2 + 1) % 32768;
    const int increment = (2 * keys.k3 + 1) % 32768;
    for (char &ch : text) {
        const int code = static_cast<unsigned char>(ch);
        int index = -1;
        if (code >= '0' && code <= '9')
            index = code - 48;
        else if (code >= '?' && code <= 'Z')
            index = code - 53;
        else if (code >= 'a' && code <= 'z')
            index = code - 59;
        if (index < 0)
            continue;
        state = (multiplier * state + increment) % 32768;
        const int v = index ^ (state & 63);
        ch = char(v <= 9 ? v + 48 : v <= 37 ? v + 53 : v + 59);
    }
    return text;
}

QByteArray randomBytes(qsizetype size, quint32 seed)
{
    QRandomGenerator generator(seed);
    QByteArray bytes(size, Qt::Uninitialized);
    for (char &b : bytes)
        b = char(generator.bounded(256));
    return bytes;
}

// The fixture content of the long vectors: byte i is (131 i + i / 128) mod 256.
bool inAlphabet(char c)
{
    return QByteArrayView("0123456789?@ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz").contains(c);
}

QByteArray patternBytes(qsizetype size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    for (qsizetype i = 0; i < size; ++i)
        bytes[i] = char((i * 131 + (i >> 7)) & 0xFF);
    return bytes;
}

} // namespace

class TestCipher : public QObject
{
    Q_OBJECT

private slots:
    void keysAndCheckValue_data()
    {
        QTest::addColumn<QString>("password");
        QTest::addColumn<QByteArray>("codes");
        QTest::addColumn<int>("k1");
        QTest::addColumn<int>("k2");
        QTest::addColumn<int>("k3");
        QTest::addColumn<QByteArray>("check");
        QTest::newRow("abc") << "abc" << QByteArray("abc") << 2823 << 3134 << 1799 << QByteArray("4FDCB708");
        QTest::newRow("Secret1") << "Secret1" << QByteArray("Secret1") << 1672 << 2651 << 203 << QByteArray("C5654642");
        QTest::newRow("one letter") << "a" << QByteArray("a") << 3170 << 1284 << 2959 << QByteArray("9B39AF42");
        QTest::newRow("blank inside") << "pass word" << QByteArray("pass word") << 3189 << 2920 << 3655
                                      << QByteArray("13076CCE");
        // Windows-1252: é is E9, € is 80; the first half keeps its leading zero.
        QTest::newRow("Windows-1252") << QStringLiteral("\u00e9t\u00e9\u20ac") << QByteArray::fromHex("e974e980")
                                      << 2964 << 3162 << 2974 << QByteArray("0F799B9E");
        // Outside the code page: the whole password by its UTF-8 bytes.
        QTest::newRow("CJK") << QStringLiteral("\u6f22x") << QByteArray::fromHex("e6bca278") << 362 << 2627 << 2998
                             << QByteArray("68BFF1F2");
        QTest::newRow("astral") << QStringLiteral("\U0001F600") << QByteArray::fromHex("f09f9880") << 3326 << 1214
                                << 886 << QByteArray("1D526F5C");
        // One character outside the code page turns the others to UTF-8 too:
        // é is C3 A9 here, not E9.
        QTest::newRow("mixed scripts") << QStringLiteral("\u00e9\u5bc6") << QByteArray::fromHex("c3a9e5af86") << 1450
                                       << 2237 << 1403 << QByteArray("EC1A5974");
        QTest::newRow("mixed, code page last") << QStringLiteral("\u5bc6\u00e9") << QByteArray::fromHex("e5af86c3a9")
                                               << 274 << 3931 << 3001 << QByteArray("42CA8354");
        // U+0081 is one of the code page's five gaps, kept as byte 81 as
        // Windows does; U+0080 is not in the code page (byte 80 is the euro),
        // so that password counts by UTF-8.
        QTest::newRow("C1 gap alone") << QStringLiteral("x\u0081") << QByteArray::fromHex("7881") << 971 << 2993 << 1505
                                      << QByteArray("0F96B334");
        QTest::newRow("C1 controls") << QStringLiteral("x\u0081\u0080") << QByteArray::fromHex("78c281c280") << 539
                                     << 96 << 351 << QByteArray("B3B928F2");
        QTest::newRow("empty") << QString() << QByteArray() << 0 << 0 << 0 << QByteArray("0DF76552");
    }

    void keysAndCheckValue()
    {
        QFETCH(QString, password);
        QFETCH(QByteArray, codes);
        QFETCH(int, k1);
        QFETCH(int, k2);
        QFETCH(int, k3);
        QFETCH(QByteArray, check);
        QCOMPARE(passwordCodes(password), codes);
        QCOMPARE(deriveKeys(password), (CipherKeys{k1, k2, k3}));
        QCOMPARE(PasswordCheckValue(password), check);
    }

    // Whole locked files: header and body, both ways.
    void lockedBytes_data()
    {
        QTest::addColumn<QString>("password");
        QTest::addColumn<QByteArray>("plain");
        QTest::addColumn<QByteArray>("locked");
        for (const sweepora::test::Vector &v : sweepora::test::lockVectors())
            QTest::newRow(v.name) << v.password << v.plain << v.locked;
    }

    void lockedBytes()
    {
        QFETCH(QString, password);
        QFETCH(QByteArray, plain);
        QFETCH(QByteArray, locked);

        QByteArray body = plain;
        Process(body, password);
        QCOMPARE(lockedFileHeader(password) + body, locked);

        body = locked.mid(LockedHeaderSize);
        const CipherKeys keys = deriveKeys(password);
        CipherString(body, keys.k1, keys.k2, keys.k3);
        QCOMPARE(body, plain);
    }

    // More alphabet bytes than the generator's cycle of 32768 states.
    void longerThanOneCycle_data()
    {
        QTest::addColumn<QString>("password");
        QTest::addColumn<int>("size");
        QTest::addColumn<QByteArray>("sha256");
        QTest::newRow("50002 alphabet bytes")
            << "abc" << 200000 << QByteArray("2104c88ce2b22e3aa4647f6e7e77de93b5dbef84e384a9dc3b958df778e7ebf7");
        QTest::newRow("35001 alphabet bytes")
            << "Secret1" << 140001 << QByteArray("bb7c92f5336b0777d4daeee266db78c0c70f173d51359335603078d77a7c3ec5");
    }

    void longerThanOneCycle()
    {
        QFETCH(QString, password);
        QFETCH(int, size);
        QFETCH(QByteArray, sha256);
        QByteArray body = patternBytes(size);
        Process(body, password);
        QCOMPARE(QCryptographicHash::hash(lockedFileHeader(password) + body, QCryptographicHash::Sha256).toHex(), sha256);
    }

    // Random contents, keys and splits into pieces: the stream gives what
    // the step-by-step model gives over the whole, and twice gives back the
    // original.
    void matchesModelInPieces()
    {
        QRandomGenerator generator(20240601);
        for (int round = 0; round < 200; ++round) {
            const qsizetype size = round < 40 ? round : qsizetype(generator.bounded(100000));
            const QByteArray plain = randomBytes(size, generator.generate());
            const CipherKeys keys{int(generator.bounded(4095)), int(generator.bounded(4095)),
                                  int(generator.bounded(4095))};
            QByteArray text = plain;
            CipherStream stream(keys);
            for (qsizetype at = 0; at < size;) {
                const qsizetype piece = qMin(size - at, qsizetype(generator.bounded(40000)) + 1);
                stream.apply(text.data() + at, piece);
                at += piece;
            }
            QCOMPARE(text, modelCipher(plain, keys));
            CipherString(text, keys.k1, keys.k2, keys.k3);
            QCOMPARE(text, plain);
        }
    }

    // Every byte outside the alphabet keeps its value and place, and does
    // not move the key stream: removing all of them leaves the cipher of the
    // alphabet bytes unchanged.
    void onlyAlphabetBytesChange()
    {
        QByteArray all;
        for (int round = 0; round < 4; ++round)
            for (int b = 0; b < 256; ++b)
                all += char(b);
        QByteArray letters;
        for (char c : all)
            if (inAlphabet(c))
                letters += c;
        QCOMPARE(letters.size(), 4 * 64);

        QByteArray mixed = all;
        Process(mixed, u"key");
        Process(letters, u"key");
        QByteArray lettersOfMixed;
        for (qsizetype i = 0; i < all.size(); ++i) {
            if (inAlphabet(all[i]))
                lettersOfMixed += mixed[i];
            else
                QCOMPARE(mixed[i], all[i]);
        }
        QCOMPARE(lettersOfMixed, letters);
    }
};

QTEST_GUILESS_MAIN(TestCipher)
#include "tst_cipher.moc"
