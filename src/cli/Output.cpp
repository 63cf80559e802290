// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/Cli.h"

#include <cstdio>

namespace sweepora::cli {

namespace {

// Length of the well-formed UTF-8 sequence that starts `bytes` (of `left`
// bytes), or 0 when it is not one: a stray continuation byte, an overlong
// form, a surrogate, a code point past U+10FFFF or a sequence cut short.
int utf8SequenceLength(const unsigned char *bytes, qsizetype left)
{
    const unsigned lead = bytes[0];
    if (lead < 0x80)
        return 1;
    int length = 0;
    unsigned low = 0x80;
    unsigned high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0)
            low = 0xA0;
        else if (lead == 0xED)
            high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0)
            low = 0x90;
        else if (lead == 0xF4)
            high = 0x8F;
    } else {
        return 0;
    }
    if (left < length || bytes[1] < low || bytes[1] > high)
        return 0;
    for (int i = 2; i < length; ++i) {
        if (bytes[i] < 0x80 || bytes[i] > 0xBF)
            return 0;
    }
    return length;
}

void appendHexEscape(QByteArray &out, unsigned byte)
{
    static constexpr char digits[] = "0123456789abcdef";
    out += "\\x";
    out += digits[byte >> 4];
    out += digits[byte & 0xF];
}

} // namespace

QByteArray escapeBytes(QByteArrayView raw)
{
    QByteArray out;
    out.reserve(raw.size());
    const auto *bytes = reinterpret_cast<const unsigned char *>(raw.data());
    for (qsizetype i = 0; i < raw.size();) {
        const unsigned c = bytes[i];
        switch (c) {
        case '\t': out += "\\t"; ++i; continue;
        case '\n': out += "\\n"; ++i; continue;
        case '\r': out += "\\r"; ++i; continue;
        case '\\': out += "\\\\"; ++i; continue;
        default: break;
        }
        if (c < 0x20 || c == 0x7f) {
            appendHexEscape(out, c);
            ++i;
            continue;
        }
        const int length = utf8SequenceLength(bytes + i, raw.size() - i);
        if (length == 0) {
            appendHexEscape(out, c);
            ++i;
        } else {
            out.append(raw.data() + i, length);
            i += length;
        }
    }
    return out;
}

QString escapeField(const QString &field)
{
    return QString::fromUtf8(escapeBytes(field.toUtf8()));
}

QByteArrayList &verbArgumentBytes()
{
    static QByteArrayList bytes;
    return bytes;
}

void printRecord(const QStringList &fields)
{
    QString line;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i)
            line += u'\t';
        line += escapeField(fields.at(i));
    }
    printLine(line);
}

void printLine(const QString &line)
{
    const QByteArray bytes = line.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stdout);
    std::fputc('\n', stdout);
}

void printError(const QString &line)
{
    std::fflush(stdout);
    std::fprintf(stderr, "%s\n", line.toUtf8().constData());
}

int usageError(const QString &message)
{
    printError(QStringLiteral("sweepora-cli: ") + message);
    printError(QStringLiteral("Try 'sweepora-cli --help'."));
    return UsageError;
}

} // namespace sweepora::cli
