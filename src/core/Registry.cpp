// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/Registry.h"

#include "core/Helpers.h"
#include "platform/Autostart.h"

#include <QSettings>
#include <QtDebug>

#include <memory>

namespace sweepora {
namespace {

int lastError = RegSuccess;
QString lastErrorText = regMessage(RegSuccess);

// INI groups cannot exist without a value, while registry keys can; every
// key that was made carries this hidden marker.
const QString kKeyMarker = QStringLiteral("%%key");

void setLastError(int code)
{
    lastError = code;
    lastErrorText = regMessage(code);
}

bool isRunValue(const QString &keyPath, const QString &valueName)
{
    QString normal = keyPath;
    normal.replace(u'/', u'\\');
    return normal.compare(QLatin1String(kRunKey), Qt::CaseInsensitive) == 0
        && valueName.compare(QLatin1String(kRunValue), Qt::CaseInsensitive) == 0;
}

QStringList splitKey(const QString &keyPath)
{
    QString normal = keyPath;
    normal.replace(u'\\', u'/');
    return normal.split(u'/', Qt::SkipEmptyParts);
}

// Opens the store positioned at the key: existing key names are matched
// without regard to case, so "Software\Vantrel" and "SOFTWARE\Vantrel" are
// one key. With `create` the missing parts take the given spelling;
// without it, false when the key does not exist.
bool enterKey(QSettings &settings, const QString &keyPath, bool create)
{
    const QStringList parts = splitKey(keyPath);
    if (parts.isEmpty())
        return false;
    for (const QString &part : parts) {
        QString match;
        const QStringList children = settings.childGroups();
        for (const QString &child : children) {
            if (child.compare(part, Qt::CaseInsensitive) == 0) {
                match = child;
                break;
            }
        }
        if (match.isEmpty()) {
            if (!create)
                return false;
            match = part;
        }
        settings.beginGroup(match);
    }
    if (create && !settings.contains(kKeyMarker))
        settings.setValue(kKeyMarker, QString());
    return true;
}

QString findValueName(const QSettings &settings, const QString &valueName)
{
    const QStringList keys = settings.childKeys();
    for (const QString &key : keys) {
        if (key != kKeyMarker && key.compare(valueName, Qt::CaseInsensitive) == 0)
            return key;
    }
    return {};
}

// The settings file; none without a usable configuration folder (never a
// file at the root instead), and the call is refused as access denied.
std::unique_ptr<QSettings> openStore()
{
    QString why;
    const QString folder = GetWindowsDir(&why);
    if (folder.isEmpty()) {
        qWarning("No settings file: %s", qUtf8Printable(why));
        setLastError(RegAccessDenied);
        return {};
    }
    return std::make_unique<QSettings>(folder + QStringLiteral("/registry.ini"), QSettings::IniFormat);
}

void syncOrWarn(QSettings &settings)
{
    settings.sync();
    if (settings.status() != QSettings::NoError)
        qWarning("Cannot write the settings file %s", qUtf8Printable(settings.fileName()));
}

} // namespace

QString registryFilePath()
{
    const QString folder = GetWindowsDir();
    return folder.isEmpty() ? QString() : folder + QStringLiteral("/registry.ini");
}

QString regMessage(int code)
{
    switch (code) {
    case RegSuccess: return QStringLiteral("The operation completed successfully.");
    case RegFileNotFound: return QStringLiteral("The system cannot find the file specified.");
    case RegAccessDenied: return QStringLiteral("Access is denied.");
    case RegNoMoreItems: return QStringLiteral("No more data is available.");
    default: return QStringLiteral("Unknown error %1.").arg(code);
    }
}

int RegLastError()
{
    return lastError;
}

QString RegErrorText()
{
    return lastErrorText;
}

QString RegGetValue(const QString &keyPath, const QString &valueName)
{
    if (isRunValue(keyPath, valueName)) {
        const QString command = platform::readAutostartEntry();
        setLastError(command.isEmpty() ? RegFileNotFound : RegSuccess);
        return command.isEmpty() ? QString() : command + QChar(0);
    }
    const std::unique_ptr<QSettings> store = openStore();
    if (!store)
        return {};
    QSettings &settings = *store;
    if (!enterKey(settings, keyPath, false)) {
        setLastError(RegFileNotFound);
        return {};
    }
    const QString name = findValueName(settings, valueName);
    if (name.isEmpty()) {
        setLastError(RegFileNotFound);
        return {};
    }
    setLastError(RegSuccess);
    return settings.value(name).toString() + QChar(0);
}

void RegSetValue(const QString &keyPath, const QString &valueName, const QString &value)
{
    if (isRunValue(keyPath, valueName)) {
        platform::writeAutostartEntry(value);
        return;
    }
    const std::unique_ptr<QSettings> store = openStore();
    if (!store)
        return;
    QSettings &settings = *store;
    if (!enterKey(settings, keyPath, true))
        return;
    const QString existing = findValueName(settings, valueName);
    settings.setValue(existing.isEmpty() ? valueName : existing, value);
    syncOrWarn(settings);
}

void RegDelValue(const QString &keyPath, const QString &valueName)
{
    if (isRunValue(keyPath, valueName)) {
        const bool existed = !platform::readAutostartEntry().isEmpty();
        platform::removeAutostartEntry();
        setLastError(existed ? RegSuccess : RegFileNotFound);
        return;
    }
    const std::unique_ptr<QSettings> store = openStore();
    if (!store)
        return;
    QSettings &settings = *store;
    if (!enterKey(settings, keyPath, false)) {
        setLastError(RegFileNotFound);
        return;
    }
    const QString name = findValueName(settings, valueName);
    if (name.isEmpty()) {
        setLastError(RegFileNotFound);
        return;
    }
    settings.remove(name);
    syncOrWarn(settings);
    setLastError(RegSuccess);
}

void RegMakeKey(const QString &keyPath)
{
    const std::unique_ptr<QSettings> store = openStore();
    if (!store)
        return;
    QSettings &settings = *store;
    if (enterKey(settings, keyPath, true))
        syncOrWarn(settings);
}

void RegKillKey(const QString &keyPath)
{
    const std::unique_ptr<QSettings> store = openStore();
    if (!store)
        return;
    QSettings &settings = *store;
    if (!enterKey(settings, keyPath, false) || !settings.childGroups().isEmpty())
        return;
    const QString group = settings.group();
    while (!settings.group().isEmpty())
        settings.endGroup();
    settings.remove(group);
    syncOrWarn(settings);
}

QStringList RegListKeys(const QString &keyPath)
{
    const std::unique_ptr<QSettings> store = openStore();
    if (!store)
        return {};
    QSettings &settings = *store;
    if (!enterKey(settings, keyPath, false)) {
        setLastError(RegFileNotFound);
        return {};
    }
    setLastError(RegNoMoreItems);
    return settings.childGroups();
}

} // namespace sweepora
