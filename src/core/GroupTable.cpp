// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/GroupTable.h"

#include "core/AppFiles.h"
#include "core/Helpers.h"
#include "platform/OwnFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QtDebug>

#include <cerrno>

namespace sweepora {

GroupFileError GroupFileError::make(Number number)
{
    switch (number) {
    case None: return {};
    case FileNotFound: return {number, QStringLiteral("File not found")};
    case InputPastEnd: return {number, QStringLiteral("Input past end of file")};
    case PermissionDenied: return {number, QStringLiteral("Permission denied")};
    case PathFileAccess: return {number, QStringLiteral("Path/File access error")};
    case PathNotFound: return {number, QStringLiteral("Path not found")};
    }
    return {number, QStringLiteral("Application-defined or object-defined error")};
}

int Group::iconNumber() const
{
    return leadingNumber(icon);
}

namespace {

// The table's path: `file`, or the one in the configuration folder. An
// unusable configuration folder is an error, never a path at the root.
GroupFileError resolve(const QString &file, QString &path)
{
    path = file;
    if (!path.isEmpty())
        return {};
    QString why;
    path = groupTablePath(&why);
    if (!path.isEmpty())
        return {};
    qWarning("No group table: %s", qUtf8Printable(why));
    return GroupFileError::make(GroupFileError::PathNotFound);
}

// The table is used only when it is a regular file: a symbolic link in its
// place is not followed, and a FIFO, device or folder is the access error.
GroupFileError errorFromOpen(const platform::OwnFileOpen &opened, const QString &path)
{
    if (opened.missing)
        return GroupFileError::make(GroupFileError::FileNotFound); // also when its folder is missing: a first start
    qWarning("Cannot open the group table %s: %s", qUtf8Printable(path), qUtf8Printable(opened.error));
    if (opened.denied)
        return GroupFileError::make(GroupFileError::PermissionDenied);
    return GroupFileError::make(GroupFileError::PathFileAccess);
}

GroupFileError errorFromFile(const QFileDevice &device)
{
    if (device.error() == QFileDevice::PermissionsError)
        return GroupFileError::make(GroupFileError::PermissionDenied);
    return GroupFileError::make(GroupFileError::PathFileAccess);
}

// Reads the whole table.
GroupFileError readTable(const QString &path, QByteArray &bytes)
{
    const platform::OwnFileOpen opened = platform::openOwnFile(path, platform::OwnFileMode::Read);
    if (opened.fd < 0)
        return errorFromOpen(opened, path);
    QFile in;
    if (!in.open(opened.fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle))
        return GroupFileError::make(GroupFileError::PathFileAccess);
    bytes = in.readAll();
    if (in.error() != QFileDevice::NoError) {
        qWarning("Cannot read the group table %s: %s", qUtf8Printable(path), qUtf8Printable(in.errorString()));
        return GroupFileError::make(GroupFileError::PathFileAccess);
    }
    return {};
}

bool ensureFolderOf(const QString &file)
{
    const QString folder = QFileInfo(file).absolutePath();
    if (QDir().mkpath(folder))
        return true;
    qWarning("Cannot create folder %s", qUtf8Printable(folder));
    return false;
}

// Replaces `file` by a new one holding `bytes`, through a rename. Only a
// regular file is replaced: never a symbolic link (whose target would be
// written), a FIFO or anything else in its place.
GroupFileError replaceFile(const QString &file, const QByteArray &bytes)
{
    if (!ensureFolderOf(file))
        return GroupFileError::make(GroupFileError::PathNotFound);
    QString what;
    if (!platform::mayReplaceOwnFile(file, &what)) {
        qWarning("Not replacing %s: %s", qUtf8Printable(file), qUtf8Printable(what));
        return GroupFileError::make(GroupFileError::PathFileAccess);
    }
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.commit()) {
        qWarning("Cannot write the group table %s: %s", qUtf8Printable(file),
                 qUtf8Printable(out.errorString()));
        return errorFromFile(out);
    }
    return {};
}

// A cursor over the file's bytes with the reader's field rules.
class FieldReader
{
public:
    explicit FieldReader(const QByteArray &data) : m_data(data) {}

    bool atEnd() const { return m_pos >= m_data.size(); }
    qsizetype position() const { return m_pos; }

    // Before a record: a line that holds nothing, or only blanks, holds no
    // record and is passed over.
    void skipBlankLines()
    {
        for (;;) {
            qsizetype at = m_pos;
            while (at < m_data.size() && isBlank(m_data.at(at)))
                ++at;
            if (at >= m_data.size()) {
                m_pos = at;
                return;
            }
            if (!isLineEnd(m_data.at(at)))
                return;
            m_pos = at;
            consumeDelimiter();
        }
    }

    // Reads one field; false when the data ends before the field starts.
    bool readField(QString &field)
    {
        skipBlanks();
        if (atEnd())
            return false;
        qsizetype start;
        qsizetype end;
        if (m_data.at(m_pos) == '"') {
            start = m_pos + 1;
            end = m_data.indexOf('"', start);
            if (end < 0)
                end = m_data.size();
            m_pos = end;
            skipToDelimiter();
        } else {
            start = m_pos;
            skipToDelimiter();
            end = m_pos;
            while (end > start && isBlank(m_data.at(end - 1)))
                --end; // blanks before the delimiter are not part of the field
        }
        field = QString::fromUtf8(m_data.constData() + start, end - start);
        consumeDelimiter();
        return true;
    }

    // After a record's fourth field: go on with the next line.
    void skipRestOfLine()
    {
        if (m_lastDelimiterWasLineEnd)
            return;
        while (!atEnd() && !isLineEnd(m_data.at(m_pos)))
            ++m_pos;
        consumeDelimiter();
    }

private:
    static bool isBlank(char c) { return c == ' ' || c == '\t'; }
    static bool isLineEnd(char c) { return c == '\r' || c == '\n'; }

    void skipBlanks()
    {
        while (!atEnd() && isBlank(m_data.at(m_pos)))
            ++m_pos;
    }

    void skipToDelimiter()
    {
        while (!atEnd() && m_data.at(m_pos) != ',' && !isLineEnd(m_data.at(m_pos)))
            ++m_pos;
    }

    void consumeDelimiter()
    {
        m_lastDelimiterWasLineEnd = false;
        if (atEnd())
            return;
        const char c = m_data.at(m_pos);
        if (c == ',') {
            ++m_pos;
        } else if (c == '\r') {
            ++m_pos;
            if (!atEnd() && m_data.at(m_pos) == '\n')
                ++m_pos;
            m_lastDelimiterWasLineEnd = true;
        } else if (c == '\n') {
            ++m_pos;
            m_lastDelimiterWasLineEnd = true;
        }
    }

    const QByteArray &m_data;
    qsizetype m_pos = 0;
    bool m_lastDelimiterWasLineEnd = false;
};

QByteArray quoted(const QString &field)
{
    return '"' + field.toUtf8() + '"';
}

// A base folder as the defaults use it: without a trailing "/", or `fallback`
// under the home when unset or relative.
QString baseFolder(const QString &value, const QString &home, const QString &fallback)
{
    QString folder = value.startsWith(u'/') ? value : home + fallback;
    while (folder.size() > 1 && folder.endsWith(u'/'))
        folder.chop(1);
    return folder == QLatin1String("/") ? QString() : folder;
}

} // namespace

GroupList defaultGroups(DefaultTable table, const QString &home)
{
    return defaultGroups(table, home,
                         {qEnvironmentVariable("XDG_DATA_HOME"), qEnvironmentVariable("XDG_CACHE_HOME")});
}

GroupList defaultGroups(DefaultTable table, const QString &home, const BaseFolders &baseFolders)
{
    if (table == DefaultTable::Native) {
#ifdef Q_OS_WIN
        table = DefaultTable::Windows;
#else
        table = DefaultTable::Linux;
#endif
    }
    if (table == DefaultTable::Windows) {
        return {
            {QStringLiteral("WindowsTemp"), QStringLiteral("C:\\Windows\\Temp\\"), QStringLiteral("Temp"), QStringLiteral("10")},
            {QStringLiteral("Start Menu Documents"), QStringLiteral("C:\\Windows\\Recent\\"), QStringLiteral("StartMenu"), QStringLiteral("8")},
            {QStringLiteral("Recycle Bin"), QStringLiteral("C:\\Recycled\\"), QStringLiteral("Recycle"), QStringLiteral("7")},
            {QStringLiteral("Temporary Internet Files"), QStringLiteral("C:\\Windows\\Tempor~1\\"), QStringLiteral("Temporary"), QStringLiteral("5")},
            {QStringLiteral("Internet Explorer History"), QStringLiteral("C:\\Windows\\History\\"), QStringLiteral("History"), QStringLiteral("6")},
            {QStringLiteral("Internet Explorer Cookies"), QStringLiteral("C:\\Windows\\Cookies\\"), QStringLiteral("Cookies"), QStringLiteral("9")},
        };
    }
    QString base = home;
    while (base.endsWith(u'/'))
        base.chop(1);
    const QString data = baseFolder(baseFolders.dataHome, base, QStringLiteral("/.local/share"));
    const QString cache = baseFolder(baseFolders.cacheHome, base, QStringLiteral("/.cache"));
    return {
        {QStringLiteral("Temporary Files"), QStringLiteral("/tmp/"), QStringLiteral("Temp"), QStringLiteral("10")},
        {QStringLiteral("Recent Documents"), data + QStringLiteral("/RecentDocuments/"), QStringLiteral("StartMenu"), QStringLiteral("8")},
        {QStringLiteral("Trash"), data + QStringLiteral("/Trash/"), QStringLiteral("Recycle"), QStringLiteral("7")},
        {QStringLiteral("Firefox Cache"), cache + QStringLiteral("/mozilla/"), QStringLiteral("Temporary"), QStringLiteral("5")},
        {QStringLiteral("Thumbnails"), cache + QStringLiteral("/thumbnails/"), QStringLiteral("History"), QStringLiteral("6")},
        {QStringLiteral("Chromium Cache"), cache + QStringLiteral("/chromium/"), QStringLiteral("Cookies"), QStringLiteral("9")},
    };
}

QByteArray serializeGroups(const GroupList &groups)
{
    QByteArray bytes;
    for (const Group &group : groups) {
        bytes += quoted(group.name) + ',' + quoted(group.path) + ',' + quoted(group.key) + ','
            + quoted(group.icon) + "\r\n";
    }
    return bytes;
}

GroupParse parseGroups(const QByteArray &data)
{
    GroupParse result;
    FieldReader reader(data);
    for (;;) {
        reader.skipBlankLines();
        if (reader.atEnd())
            break;
        Group group;
        QString *fields[] = {&group.name, &group.path, &group.key, &group.icon};
        for (QString *field : fields) {
            if (!reader.readField(*field)) {
                result.error = GroupFileError::make(GroupFileError::InputPastEnd);
                return result;
            }
        }
        reader.skipRestOfLine();
        result.complete.append(group);
        result.completeBytes = reader.position();
    }
    return result;
}

GroupParse LoadGroups(const QString &file)
{
    GroupParse result;
    QString path;
    QByteArray bytes;
    result.error = resolve(file, path);
    if (!result.error)
        result.error = readTable(path, bytes);
    return result.error ? result : parseGroups(bytes);
}

GroupFileError SaveGroups(const GroupList &groups, const QString &file)
{
    QString path;
    if (GroupFileError error = resolve(file, path))
        return error;
    return replaceFile(path, serializeGroups(groups));
}

GroupFileError AppendGroup(const Group &group, const QString &file)
{
    QString path;
    if (GroupFileError error = resolve(file, path))
        return error;
    if (!ensureFolderOf(path))
        return GroupFileError::make(GroupFileError::PathNotFound);
    QByteArray line = serializeGroups({group});
    {
        // A file edited by hand may lack the last line's CR LF: without it
        // the new record would run into that line.
        const platform::OwnFileOpen opened = platform::openOwnFile(path, platform::OwnFileMode::Read);
        QFile existing;
        if (opened.fd >= 0 && existing.open(opened.fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)
            && existing.size() > 0 && existing.seek(existing.size() - 1)) {
            const QByteArray last = existing.read(1);
            if (last != "\n" && last != "\r")
                line.prepend("\r\n");
        }
    }
    const platform::OwnFileOpen opened = platform::openOwnFile(path, platform::OwnFileMode::Append);
    if (opened.fd < 0) {
        const GroupFileError error = errorFromOpen(opened, path);
        return error.number == GroupFileError::FileNotFound ? GroupFileError::make(GroupFileError::PathNotFound)
                                                            : error;
    }
    QFile out;
    if (!out.open(opened.fd, QIODevice::WriteOnly | QIODevice::Append, QFileDevice::AutoCloseHandle)
        || out.write(line) != line.size() || !out.flush()) {
        qWarning("Cannot append to the group table %s: %s", qUtf8Printable(path),
                 qUtf8Printable(out.errorString()));
        return errorFromFile(out);
    }
    return {};
}

GroupFileError WriteDefaultGroups(const QString &file)
{
    return SaveGroups(defaultGroups(DefaultTable::Native, QDir::homePath()), file);
}

int IconsTable(const QString &key, const QString &file)
{
    int icon = 0;
    for (const Group &group : LoadGroups(file).complete) {
        if (group.key == key)
            icon = group.iconNumber();
    }
    return icon;
}

std::optional<QString> PathsTable(const QString &key, const QString &file)
{
    std::optional<QString> path;
    for (const Group &group : LoadGroups(file).complete) {
        if (group.key == key)
            path = group.path;
    }
    return path;
}

GroupList mergeDuplicateKeys(const GroupList &groups)
{
    GroupList merged;
    QHash<QString, qsizetype> indexOfKey;
    for (const Group &group : groups) {
        const auto found = indexOfKey.constFind(group.key);
        if (found == indexOfKey.cend()) {
            indexOfKey.insert(group.key, merged.size());
            merged.append(group);
        } else {
            merged[*found] = group;
        }
    }
    return merged;
}

StartupLoad loadGroupsForStartup(const QString &file)
{
    StartupLoad load;
    QString path;
    if ((load.error = resolve(file, path)))
        return load;
    QByteArray bytes;
    GroupFileError readError = readTable(path, bytes);
    if (readError.number == GroupFileError::FileNotFound) {
        load.error = WriteDefaultGroups(path);
        if (load.error)
            return load;
        load.wroteDefaults = true;
        readError = readTable(path, bytes);
    }
    if (readError) {
        load.error = readError;
        return load;
    }
    const GroupParse parse = parseGroups(bytes);
    load.groups = parse.complete;
    load.error = parse.error;
    if (parse.error.number == GroupFileError::InputPastEnd) {
        // Keep the damaged file for the user, then make the table readable
        // again with the lines of every complete record, byte for byte: a
        // line written anew could read back differently.
        const QString damaged = path + QStringLiteral(".damaged");
        qWarning("The group table %s ends inside a record; keeping its %lld complete records",
                 qUtf8Printable(path), static_cast<long long>(parse.complete.size()));
        if (replaceFile(damaged, bytes)) {
            // Without the copy, rewriting would lose the cut record's text:
            // use the complete records and leave the file for the next start.
            qWarning("Cannot keep a copy of the damaged group table as %s", qUtf8Printable(damaged));
            load.error = {};
            return load;
        }
        load.error = replaceFile(path, bytes.left(parse.completeBytes));
        load.recovered = !load.error;
    }
    return load;
}

} // namespace sweepora
