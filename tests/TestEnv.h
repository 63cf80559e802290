// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A private home for one test binary: HOME and the XDG folders point into a
// temporary folder, so no test touches the real home, /tmp itself or the
// user's settings.

#include <QDir>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QtTest>

namespace sweepora::test {

class TestEnv
{
public:
    TestEnv()
    {
        QVERIFY2(m_dir.isValid(), "cannot create a temporary folder");
        const QString root = m_dir.path();
        for (const char *sub : {"home", "config", "data", "cache", "runtime"})
            QDir(root).mkpath(QLatin1String(sub));
        QFile::setPermissions(root + QStringLiteral("/runtime"),
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        qputenv("HOME", QFile::encodeName(root + QStringLiteral("/home")));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(root + QStringLiteral("/config")));
        qputenv("XDG_DATA_HOME", QFile::encodeName(root + QStringLiteral("/data")));
        qputenv("XDG_CACHE_HOME", QFile::encodeName(root + QStringLiteral("/cache")));
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(root + QStringLiteral("/runtime")));
    }

    QString root() const { return m_dir.path(); }
    QString home() const { return root() + QStringLiteral("/home"); }
    QString configDir() const { return root() + QStringLiteral("/config/sweepora"); }
    QString dataDir() const { return root() + QStringLiteral("/data/sweepora"); }
    QString groupFile() const { return configDir() + QStringLiteral("/System/wingrdt.dll"); }

    // A fresh folder under the temporary root for a fixture.
    QString makeDir(const QString &name) const
    {
        const QString path = root() + u'/' + name;
        QDir().mkpath(path);
        return path;
    }

private:
    QTemporaryDir m_dir;
};

// Writes `bytes` to `path`, creating its folder.
inline bool writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

inline QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Runs sweepora-cli with the test's environment.
struct CliResult
{
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

inline CliResult runCli(const QStringList &args, const QByteArray &input = {})
{
    QProcess process;
    process.setProgram(QStringLiteral(SWEEPORA_CLI_PATH));
    process.setArguments(args);
    process.start();
    if (!process.waitForStarted())
        return {};
    if (!input.isEmpty())
        process.write(input);
    process.closeWriteChannel();
    process.waitForFinished(120000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput(), process.readAllStandardError()};
}

} // namespace sweepora::test
