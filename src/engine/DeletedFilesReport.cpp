// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/DeletedFilesReport.h"

#include "platform/OwnFiles.h"

#include <QtDebug>


namespace sweepora {
namespace {

constexpr int printZone = 14;

// The path as report text, control characters written out.
QString pathText(const QByteArray &fullPath)
{
    const QString decoded = QString::fromUtf8(fullPath);
    QString text;
    text.reserve(decoded.size());
    for (QChar c : decoded) {
        const char16_t u = c.unicode();
        if (u >= 0x20 && u != 0x7f) {
            text += c;
            continue;
        }
        switch (u) {
        case '\t': text += QLatin1String("\\t"); break;
        case '\n': text += QLatin1String("\\n"); break;
        case '\r': text += QLatin1String("\\r"); break;
        default: text += QStringLiteral("\\x%1").arg(int(u), 2, 16, QLatin1Char('0'));
        }
    }
    return text;
}

qsizetype columns(const QString &text)
{
    qsizetype count = 0;
    for (QChar c : text) {
        if (!c.isLowSurrogate())
            ++count;
    }
    return count;
}

} // namespace

QByteArray reportLine(const QByteArray &fullPath, std::uint64_t size)
{
    const QString path = pathText(fullPath);
    const qsizetype blanks = printZone - columns(path) % printZone;
    QByteArray line = path.toUtf8();
    line += QByteArray(blanks, ' ');
    line += QByteArray::number(static_cast<qulonglong>(size));
    line += " Bytes\r\n";
    return line;
}

DeletedFilesReport::DeletedFilesReport(const QString &file) : m_path(file) {}

DeletedFilesReport::~DeletedFilesReport()
{
    finish();
}

bool DeletedFilesReport::finish()
{
    if (m_pending.isEmpty())
        return m_error.isEmpty();
    const bool written = m_file.write(m_pending) == m_pending.size() && m_file.flush();
    m_pending.clear();
    m_sinceWrite.start();
    if (!written && m_error.isEmpty()) {
        m_error = QStringLiteral("Cannot write to the deleted-files report %1: %2").arg(m_path, m_file.errorString());
        qWarning("%s", qUtf8Printable(m_error));
    }
    return m_error.isEmpty();
}

bool DeletedFilesReport::add(const QByteArray &fullPath, std::uint64_t size)
{
    if (m_failed)
        return false;
    if (!m_file.isOpen()) {
        const platform::OwnFileOpen opened = platform::openOwnFile(m_path, platform::OwnFileMode::Append);
        if (opened.fd < 0 || !m_file.open(opened.fd, QIODevice::WriteOnly | QIODevice::Append, QFileDevice::AutoCloseHandle)) {
            m_error = QStringLiteral("Cannot write the deleted-files report %1: %2")
                          .arg(m_path, opened.fd < 0 ? opened.error : m_file.errorString());
            qWarning("%s", qUtf8Printable(m_error));
            m_failed = true;
            return false;
        }
    }
    // Lines go to the file in batches: a write a line cost a cleaning run
    // as much as a tenth of its deletes. A batch is written once it is
    // large, or once the oldest line waited a moment, so the report is never
    // far behind the run, and whole when the run ends.
    if (!m_sinceWrite.isValid())
        m_sinceWrite.start();
    m_pending += reportLine(fullPath, size);
    if (m_pending.size() >= kBatchBytes || m_sinceWrite.hasExpired(kBatchMilliseconds))
        return finish();
    return m_error.isEmpty();
}

} // namespace sweepora
