// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Autostart.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QtDebug>

namespace sweepora::platform {

QString autostartEntryPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
        + QStringLiteral("/autostart/sweepora.desktop");
}

bool writeAutostartEntry(const QString &commandLine)
{
    const QString path = autostartEntryPath();
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        qWarning("Cannot create the autostart folder for %s", qUtf8Printable(path));
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        qWarning("Cannot write %s: %s", qUtf8Printable(path), qUtf8Printable(file.errorString()));
        return false;
    }
    const QString entry = QStringLiteral(
        "[Desktop Entry]\n"
        "Type=Application\n"
        "Name=Sweepora\n"
        "Comment=Watch the folders where throw-away files pile up\n"
        "Exec=%1\n"
        "Icon=sweepora\n"
        "Terminal=false\n"
        "X-GNOME-Autostart-enabled=true\n").arg(commandLine);
    file.write(entry.toUtf8());
    if (!file.commit()) {
        qWarning("Cannot write %s: %s", qUtf8Printable(path), qUtf8Printable(file.errorString()));
        return false;
    }
    return true;
}

QString readAutostartEntry()
{
    QFile file(autostartEntryPath());
    if (!file.open(QIODevice::ReadOnly))
        return {};
    bool inMainGroup = false;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.startsWith(u'['))
            inMainGroup = line == QLatin1String("[Desktop Entry]");
        else if (inMainGroup && line.startsWith(QLatin1String("Exec=")))
            return line.mid(5);
    }
    return {};
}

bool removeAutostartEntry()
{
    QFile file(autostartEntryPath());
    if (!file.exists())
        return true;
    if (!file.remove()) {
        qWarning("Cannot remove %s: %s", qUtf8Printable(file.fileName()),
                 qUtf8Printable(file.errorString()));
        return false;
    }
    return true;
}

QString monitorModeCommandLine(const QString &program)
{
    // Desktop-entry rules: an argument holding a reserved character is
    // double-quoted, and inside the quotes " ` $ \ are escaped.
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    QString path = QFileInfo(program).absoluteFilePath();
    const bool needsQuotes = std::any_of(path.cbegin(), path.cend(),
                                         [](QChar c) { return reserved.contains(c); });
    if (needsQuotes) {
        QString quoted;
        for (QChar c : path) {
            if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
                quoted += u'\\';
            quoted += c;
        }
        path = u'"' + quoted + u'"';
    }
    return path + QStringLiteral(" -m");
}

} // namespace sweepora::platform
