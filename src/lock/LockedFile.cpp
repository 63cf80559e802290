// SPDX-License-Identifier: GPL-3.0-or-later
#include "lock/LockedFile.h"

#include "lock/Cipher.h"
#include "lock/ReadAhead.h"
#include "platform/ReplacedFile.h"

#include <QDir>
#include <QFile>
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

// Reads until `size` bytes or the end of the file. On failure, returns what
// went wrong.
std::optional<QString> readHead(platform::ReplacedFile &file, QByteArray &into, qint64 size)
{
    into.resize(size);
    qint64 got = 0;
    while (got < size) {
        QString why;
        const qint64 n = file.read(into.data() + got, size - got, &why);
        if (n < 0)
            return why;
        if (n == 0)
            break;
        got += n;
    }
    into.resize(got);
    return std::nullopt;
}

// Buffers in the ring between reading and enciphering: enough to keep the
// reader a step ahead while one chunk is enciphered and written.
constexpr int readAheadBuffers = 3;

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

// The refusal when a new file cannot stand in for the file, which is
// `replaceable` as it stands, or Done.
LockResult replaceRefusal(LockCommand command, const QString &path, platform::Replaceable replaceable)
{
    const bool lock = command == LockCommand::Lock;
    switch (replaceable) {
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

LockTarget LockTarget::fromPath(const QString &path)
{
    return {QFile::encodeName(path), path};
}

LockResult runLockCommand(LockCommand command, const LockTarget &target, QStringView password,
                          const LockRunHooks &hooks)
{
    const QString &path = target.shown;
    const Run run(command, path, hooks);
    if (password.isEmpty())
        return {LockResult::NoPassword, QStringLiteral("No password was given; %1 was not changed.").arg(quoted(path))};

    platform::ReplacedFile file;
    const QString openFailed = QStringLiteral("the file could not be opened for reading");
    if (run.fails(LockStep::OpenFile))
        return run.failed(openFailed, Run::injected());
    QString why;
    switch (file.open(target.path, &why)) {
    case platform::ReplacedFile::OpenStatus::NoFile:
        return noFile(path);
    case platform::ReplacedFile::OpenStatus::Failed:
        return run.failed(openFailed, why);
    case platform::ReplacedFile::OpenStatus::Opened:
        break;
    }
    const qint64 total = file.size();

    // The first 18 bytes decide: the header of a locked file, or the start
    // of a plain one.
    const QString readFailed = QStringLiteral("reading the file failed");
    QByteArray head;
    if (run.fails(LockStep::Read))
        return run.failed(readFailed, Run::injected());
    if (const auto failure = readHead(file, head, LockedHeaderSize))
        return run.failed(readFailed, *failure);
    if (LockResult refusal = refusalFor(command, path, head); !refusal.ok())
        return refusal;
    if (LockResult refusal = replaceRefusal(command, path, file.replaceable()); !refusal.ok())
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

    const QString createFailed = QStringLiteral("no new file could be created in its folder");
    if (run.fails(LockStep::CreateTemporary))
        return run.failed(createFailed, Run::injected());
    if (!file.createReplacement(&why))
        return run.failed(createFailed, why);
    if (!file.copyModeAndOwner(&why))
        return run.failed(QStringLiteral("the new file could not be given the permissions of the old one"), why);

    CipherStream cipher(deriveKeys(password));
    const QString writeFailed = QStringLiteral("writing the new content failed");
    cipher.apply(head.data(), head.size());
    out += head;
    if (run.fails(LockStep::Write))
        return run.failed(writeFailed, Run::injected());
    if (!file.write(out.constData(), out.size(), &why))
        return run.failed(writeFailed, why);
    run.progress(done, total);

    // The rest: read ahead on a thread of its own while each chunk before is
    // enciphered and written here.
    ReadAhead ahead([&file](char *data, qint64 size, QString *error) { return file.read(data, size, error); },
                    readAheadBuffers, LockChunkSize);
    for (;;) {
        if (run.fails(LockStep::Read))
            return run.failed(readFailed, Run::injected());
        ReadAhead::Chunk chunk;
        if (!ahead.next(chunk, &why))
            return run.failed(readFailed, why);
        if (chunk.size == 0)
            break;
        cipher.apply(chunk.data, chunk.size);
        if (run.fails(LockStep::Write))
            return run.failed(writeFailed, Run::injected());
        if (!file.write(chunk.data, chunk.size, &why))
            return run.failed(writeFailed, why);
        ahead.release();
        done += chunk.size;
        run.progress(done, total);
    }

    // Replace only the file that was read: if it was moved away, removed or
    // replaced meanwhile, the new content must not take the place of another.
    const QString replaceFailed = QStringLiteral("the new content could not be put in place of the file");
    if (run.fails(LockStep::Replace))
        return run.failed(replaceFailed, Run::injected());
    if (!file.flush(&why))
        return run.failed(replaceFailed, why);
    if (!file.stillInPlace())
        return run.failed(QStringLiteral("the file was moved, removed or replaced while it was being read"));
    if (!file.commit(&why))
        return run.failed(replaceFailed, why);
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

PathInspection inspectPath(const LockTarget &target)
{
    PathInspection inspection;
    platform::ReplacedFile file;
    QString why;
    switch (file.open(target.path, &why)) {
    case platform::ReplacedFile::OpenStatus::NoFile:
        return inspection;
    case platform::ReplacedFile::OpenStatus::Failed:
        qWarning("Cannot read %s to see whether it is locked: %s", qUtf8Printable(target.shown), qUtf8Printable(why));
        break;
    case platform::ReplacedFile::OpenStatus::Opened:
        if (const auto failure = readHead(file, inspection.header, InspectedHeaderSize)) {
            qWarning("Cannot read %s to see whether it is locked: %s", qUtf8Printable(target.shown),
                     qUtf8Printable(*failure));
            inspection.header.clear();
        }
        break;
    }
    inspection.kind = isLockedHeader(inspection.header) ? PathKind::Locked : PathKind::Plain;
    return inspection;
}

LockResult commandOffered(LockCommand command, const LockTarget &target)
{
    const PathInspection inspection = inspectPath(target);
    if (inspection.kind == PathKind::NoFile)
        return noFile(target.shown);
    return refusalFor(command, target.shown, inspection.header);
}

} // namespace sweepora::lock
