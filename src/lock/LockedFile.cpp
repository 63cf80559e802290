#include "lock/LockedFile.h"

#include "lock/Cipher.h"
#include "platform/FileIdentity.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QtDebug>

#include <optional>

namespace sweepora::lock {
namespace {

const QByteArrayView lineEnd = "\r\n";

QString quoted(const QString &path)
{
    return u'"' + QDir::toNativeSeparators(path) + u'"';
}

// Runs one lock or unlock over one file; each failure becomes a result that
// names the step that failed.
class Run
{
public:
    Run(LockCommand command, const QString &path, const LockRunHooks &hooks)
        : m_command(command), m_path(path), m_hooks(hooks)
    {
    }

    bool fails(LockStep step) const { return m_hooks.failAt && m_hooks.failAt(step); }

    LockResult failed(const QString &what, const QString &why = {}) const
    {
        const QString verb = m_command == LockCommand::Lock ? QStringLiteral("lock") : QStringLiteral("unlock");
        QString message = QStringLiteral("Could not %1 %2: %3").arg(verb, quoted(m_path), what);
        if (!why.isEmpty())
            message += QStringLiteral(" (%1)").arg(why);
        message += QStringLiteral(".\nNothing was changed.");
        return {LockResult::Failed, message};
    }

    // Reads until `size` bytes or the end of the file. On failure, returns
    // what went wrong.
    std::optional<QString> read(QFile &file, QByteArray &into, qint64 size) const
    {
        into.resize(size);
        qint64 got = 0;
        while (got < size) {
            if (fails(LockStep::Read))
                return injected();
            const qint64 n = file.read(into.data() + got, size - got);
            if (n < 0)
                return file.errorString();
            if (n == 0)
                break;
            got += n;
        }
        into.resize(got);
        return std::nullopt;
    }

    // Writes all of `bytes`. On failure, returns what went wrong.
    std::optional<QString> write(QSaveFile &file, const QByteArray &bytes) const
    {
        if (fails(LockStep::Write))
            return injected();
        // A write can stop short (at a size limit, say) without an error;
        // the next one then says why.
        for (qsizetype at = 0; at < bytes.size();) {
            const qint64 n = file.write(bytes.constData() + at, bytes.size() - at);
            if (n <= 0)
                return file.errorString();
            at += n;
        }
        return std::nullopt;
    }

    static QString injected() { return QStringLiteral("failure injected by a test"); }

    void progress(qint64 done, qint64 total) const
    {
        if (m_hooks.progress)
            m_hooks.progress(done, total);
    }

private:
    LockCommand m_command;
    QString m_path;
    const LockRunHooks &m_hooks;
};

LockResult noFile(const QString &path)
{
    return {LockResult::NoFile, QStringLiteral("No file found at %1.").arg(quoted(path))};
}

// The refusal of `command` for a file whose first bytes are `head`, or Done.
LockResult refusalFor(LockCommand command, const QString &path, QByteArrayView head)
{
    const bool locked = isLockedHeader(head);
    if (command == LockCommand::Lock && locked)
        return {LockResult::AlreadyLocked, QStringLiteral("%1 is already locked.").arg(quoted(path))};
    if (command == LockCommand::Unlock && !locked)
        return {LockResult::NotLocked, QStringLiteral("%1 is not locked.").arg(quoted(path))};
    return {};
}

// The refusal when the file open as `fd` cannot be replaced by a new one
// that everyone sees as the same file, or Done.
LockResult replaceRefusal(LockCommand command, const QString &path, int fd)
{
    const bool lock = command == LockCommand::Lock;
    switch (platform::replaceable(fd)) {
    case platform::Replaceable::OtherNames:
        return {LockResult::OtherNames,
                QStringLiteral("%1 has other names (hard links), which would keep its %2 content; it was not changed.")
                    .arg(quoted(path), lock ? QStringLiteral("plain") : QStringLiteral("locked"))};
    case platform::Replaceable::ForeignOwner:
        return {LockResult::ForeignOwner,
                QStringLiteral("%1 belongs to another user or group, which the %2 file could not keep; it was not "
                               "changed.")
                    .arg(quoted(path), lock ? QStringLiteral("locked") : QStringLiteral("unlocked"))};
    case platform::Replaceable::Yes:
    case platform::Replaceable::Unknown: // the run's own steps say what fails
        break;
    }
    return {};
}

} // namespace

LockResult runLockCommand(LockCommand command, const QString &path, QStringView password, const LockRunHooks &hooks)
{
    const Run run(command, path, hooks);
    if (password.isEmpty())
        return {LockResult::NoPassword, QStringLiteral("No password was given; %1 was not changed.").arg(quoted(path))};

    // Work on the file itself, so that a symbolic link keeps pointing at it.
    const QFileInfo info(path);
    const QString target = info.isFile() ? info.canonicalFilePath() : QString();
    if (target.isEmpty())
        return noFile(path);

    QFile source(target);
    const QString openFailed = QStringLiteral("the file could not be opened for reading");
    if (run.fails(LockStep::OpenFile))
        return run.failed(openFailed, Run::injected());
    if (!source.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return run.failed(openFailed, source.errorString());
    const qint64 total = source.size();

    // The first 18 bytes decide: the header of a locked file, or the start
    // of a plain one.
    const QString readFailed = QStringLiteral("reading the file failed");
    QByteArray head;
    if (const auto why = run.read(source, head, LockedHeaderSize))
        return run.failed(readFailed, *why);
    if (LockResult refusal = refusalFor(command, path, head); !refusal.ok())
        return refusal;
    if (LockResult refusal = replaceRefusal(command, path, source.handle()); !refusal.ok())
        return refusal;
    qint64 done = head.size();
    QByteArray out; // what goes to the new file ahead of the rest of the content
    if (command == LockCommand::Lock) {
        out = lockedFileHeader(password);
    } else {
        if (!passwordFitsHeader(password, head))
            return {LockResult::WrongPassword, QStringLiteral("Sorry, password incorrect for this file.")};
        // Locking always writes the whole header; a file that ends inside it,
        // or has other bytes in place of its CR LF, was not made by locking.
        if (head.size() < LockedHeaderSize || QByteArrayView(head).sliced(InspectedHeaderSize) != lineEnd)
            return {LockResult::Damaged, QStringLiteral("%1 begins like a locked file, but its header is cut short "
                                                        "or damaged: it holds no locked content to unlock.")
                                             .arg(quoted(path))};
        head.clear();
    }

    QSaveFile replacement(target);
    const QString createFailed = QStringLiteral("no new file could be created in its folder");
    if (run.fails(LockStep::CreateTemporary))
        return run.failed(createFailed, Run::injected());
    if (!replacement.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return run.failed(createFailed, replacement.errorString());
    QString modeError;
    if (!platform::copyModeAndOwner(source.handle(), replacement.handle(), &modeError))
        return run.failed(QStringLiteral("the new file could not be given the permissions of the old one"), modeError);

    CipherStream cipher(deriveKeys(password));
    const QString writeFailed = QStringLiteral("writing the new content failed");
    cipher.apply(head.data(), head.size());
    out += head;
    if (const auto why = run.write(replacement, out))
        return run.failed(writeFailed, *why);
    run.progress(done, total);

    QByteArray chunk;
    chunk.reserve(LockChunkSize);
    for (;;) {
        if (const auto why = run.read(source, chunk, LockChunkSize))
            return run.failed(readFailed, *why);
        if (chunk.isEmpty())
            break;
        cipher.apply(chunk.data(), chunk.size());
        if (const auto why = run.write(replacement, chunk))
            return run.failed(writeFailed, *why);
        done += chunk.size();
        run.progress(done, total);
    }

    // Replace only the file that was read: if it was moved away, removed or
    // replaced meanwhile, the new content must not take the place of another.
    const QString replaceFailed = QStringLiteral("the new content could not be put in place of the file");
    if (run.fails(LockStep::Replace))
        return run.failed(replaceFailed, Run::injected());
    if (!platform::pathNamesOpenFile(target, source.handle()))
        return run.failed(QStringLiteral("the file was moved, removed or replaced while it was being read"));
    if (!replacement.commit())
        return run.failed(replaceFailed, replacement.errorString());
    return {};
}

QByteArray lockedFileHeader(QStringView password)
{
    QByteArray header = LockMarker.toByteArray();
    header += PasswordCheckValue(password);
    header += lineEnd;
    return header;
}

bool isLockedHeader(QByteArrayView header)
{
    return header.startsWith(LockMarker);
}

bool passwordFitsHeader(QStringView password, QByteArrayView header)
{
    // The check value must stand right after the marker; "[Secret]" holds no
    // upper-case hexadecimal digit that an earlier occurrence could start at.
    return header.size() >= InspectedHeaderSize
        && header.sliced(LockMarker.size(), InspectedHeaderSize - LockMarker.size()) == PasswordCheckValue(password);
}

PathInspection inspectPath(const QString &path)
{
    PathInspection inspection;
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return inspection;
    QFile file(path);
    if (file.open(QIODevice::ReadOnly))
        inspection.header = file.read(InspectedHeaderSize);
    else
        qWarning("Cannot read %s to see whether it is locked: %s", qUtf8Printable(path), qUtf8Printable(file.errorString()));
    inspection.kind = isLockedHeader(inspection.header) ? PathKind::Locked : PathKind::Plain;
    return inspection;
}

LockResult commandOffered(LockCommand command, const QString &path)
{
    const PathInspection inspection = inspectPath(path);
    if (inspection.kind == PathKind::NoFile)
        return noFile(path);
    return refusalFor(command, path, inspection.header);
}

} // namespace sweepora::lock
