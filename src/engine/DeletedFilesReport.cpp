#include "engine/DeletedFilesReport.h"

#include <QtDebug>

#include <utility>

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

DeletedFilesReport::DeletedFilesReport(const QString &file) : m_file(file) {}

bool DeletedFilesReport::add(const QByteArray &fullPath, std::uint64_t size)
{
    if (m_failed)
        return false;
    if (!m_file.isOpen() && !m_file.open(QIODevice::WriteOnly | QIODevice::Append)) {
        qWarning("Cannot open the deleted-files report %s: %s", qUtf8Printable(m_file.fileName()),
                 qUtf8Printable(m_file.errorString()));
        m_failed = true;
        return false;
    }
    const QByteArray line = reportLine(fullPath, size);
    if (m_file.write(line) != line.size() || !m_file.flush()) {
        if (std::exchange(m_warned, true))
            return false;
        qWarning("Cannot write to the deleted-files report %s: %s", qUtf8Printable(m_file.fileName()),
                 qUtf8Printable(m_file.errorString()));
        return false;
    }
    return true;
}

} // namespace sweepora
