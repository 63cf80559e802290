#include "cli/Cli.h"

#include <cstdio>

namespace sweepora::cli {

QString escapeField(const QString &field)
{
    QString out;
    out.reserve(field.size());
    for (QChar c : field) {
        switch (c.unicode()) {
        case '\t': out += QLatin1String("\\t"); break;
        case '\n': out += QLatin1String("\\n"); break;
        case '\r': out += QLatin1String("\\r"); break;
        case '\\': out += QLatin1String("\\\\"); break;
        default:
            if (c.unicode() < 0x20 || c.unicode() == 0x7f)
                out += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
            else
                out += c;
        }
    }
    return out;
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
