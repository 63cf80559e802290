// SPDX-License-Identifier: GPL-3.0-or-later
// File names that are not UTF-8 on the command line: every path printed
// names exactly one file, and such a name given as an argument is the file
// that is worked on.

#include "TestEnv.h"
#include "engine/Fixtures.h"
#include "lock/LockVectors.h"

#include <QtTest>

using namespace sweepora::test;

namespace {

QByteArray groupLine(const QString &name, const QString &path, const QString &key)
{
    return QStringLiteral("\"%1\",\"%2\",\"%3\",\"3\"\r\n").arg(name, path, key).toUtf8();
}

// `bytes` as one bash word that stands for exactly those bytes.
QString shellWord(const QByteArray &bytes)
{
    QString word = QStringLiteral("$'");
    for (const char c : bytes)
        word += QStringLiteral("\\%1").arg(uint(static_cast<unsigned char>(c)), 3, 8, QLatin1Char('0'));
    return word + u'\'';
}

// Runs sweepora-cli with arguments of any bytes, `input` on standard input.
CliResult runCliBytes(const QByteArrayList &args, const QByteArray &input)
{
    QString line = QStringLiteral("exec \"$CLI\"");
    for (const QByteArray &arg : args)
        line += u' ' + shellWord(arg);
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("CLI"), QStringLiteral(SWEEPORA_CLI_PATH));
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral("bash"), {QStringLiteral("-c"), line});
    process.write(input);
    process.closeWriteChannel();
    process.waitForFinished(120000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput(), process.readAllStandardError()};
}

QByteArray readRawFile(const QByteArray &path)
{
    QFile file;
    const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0 || !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle))
        return {};
    return file.readAll();
}

} // namespace

class TestCliNames : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestEnv> env;

private slots:
    void init() { env = std::make_unique<TestEnv>(); }
    void cleanup() { env.reset(); }

    // Each name as the listing prints it, in the name field and at the end
    // of the full path: bytes that are not well-formed UTF-8 as \xHH, a
    // backslash as \\, well-formed UTF-8 as it is.
    void listPrintsEveryNameApart()
    {
        const QString root = env->makeDir(QStringLiteral("g"));
        const QByteArray folder = QFile::encodeName(root);
        const QList<std::pair<QByteArray, QByteArray>> names = {
            {"a\xe9", "a\\xe9"},
            {"a\xe8", "a\\xe8"},
            {"a\xef\xbf\xbd", "a\xef\xbf\xbd"}, // U+FFFD itself, well-formed
            {"a\xc3\xa9", "a\xc3\xa9"},
            {"back\\slash", "back\\\\slash"},
            {"back\\x5c", "back\\\\x5c"}, // not to be read as an escape
            {"cut \xe6\xbc", "cut \\xe6\\xbc"},
            {"overlong \xc0\xaf", "overlong \\xc0\\xaf"},
            {"surrogate \xed\xa0\x80", "surrogate \\xed\\xa0\\x80"},
            {"control \x01", "control \\x01"},
        };
        QSet<QByteArray> expected;
        for (const auto &[raw, printed] : names) {
            QVERIFY(writeRawFile(folder, raw, "x"));
            expected.insert(printed + '\t' + folder + '/' + printed);
        }
        writeFile(env->groupFile(), groupLine("G", root + u'/', "k"));

        const CliResult result = runCliBytes({"list", "k"}, {});
        QCOMPARE(result.exitCode, 0);
        QList<QByteArray> lines = result.out.split('\n');
        QCOMPARE(lines.size(), names.size() + 3); // rows, two status texts, and the final line end
        QSet<QByteArray> printed;
        for (qsizetype i = 0; i < names.size(); ++i) {
            const QList<QByteArray> fields = lines.at(i).split('\t');
            QCOMPARE(fields.size(), 6);
            printed.insert(fields.first() + '\t' + fields.last());
        }
        QCOMPARE(printed, expected);
    }

    // Two files whose names differ only in a byte that is not UTF-8: the
    // one named is locked and unlocked, and messages name it as the
    // listing would.
    void lockNamesTheFileGiven()
    {
        const QByteArray folder = QFile::encodeName(env->makeDir(QStringLiteral("files")));
        const QByteArray plain = lockVectors().first().plain; // password "abc"
        QVERIFY(writeRawFile(folder, "n\xe9", plain));
        QVERIFY(writeRawFile(folder, "n\xe8", "the other file"));
        const QByteArray path = folder + "/n\xe9";

        CliResult result = runCliBytes({"lock", path}, "abc\n");
        QCOMPARE(QString::fromUtf8(result.err), QString());
        QCOMPARE(result.exitCode, 0);
        QCOMPARE(readRawFile(path), lockVectors().first().locked);
        QCOMPARE(readRawFile(folder + "/n\xe8"), QByteArray("the other file"));

        result = runCliBytes({"lock", path}, "abc\n");
        QCOMPARE(result.exitCode, 1);
        QCOMPARE(result.err, "\"" + folder + "/n\\xe9\" is already locked.\n");

        result = runCliBytes({"unlock", path}, "abc\n");
        QCOMPARE(result.exitCode, 0);
        QCOMPARE(readRawFile(path), plain);

        result = runCliBytes({"unlock", folder + "/no\\such\xff"}, "abc\n");
        QCOMPARE(result.exitCode, 1);
        QCOMPARE(result.err, "No file found at \"" + folder + "/no\\\\such\\xff\".\n");
    }
};

QTEST_GUILESS_MAIN(TestCliNames)
#include "tst_cli_names.moc"
