// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/StartupSwitch.h"

#include "core/Helpers.h"
#include "core/Registry.h"
#include "platform/Autostart.h"

#include <QRegularExpression>

namespace sweepora {
namespace {

// A setting read as a number: blanks
// ignored, digits up to the first character that cannot belong to a number,
// no rounding ("1.5" is not 1).
double numberValue(QString text)
{
    text.remove(u' ').remove(u'\t');
    static const QRegularExpression number(QStringLiteral("^[+-]?(\\d+\\.?\\d*|\\.\\d+)"));
    const QRegularExpressionMatch match = number.match(text);
    return match.hasMatch() ? match.captured(0).toDouble() : 0.0;
}

} // namespace

bool startupSwitchIsOn()
{
    QString value = RegGetValue(QLatin1String(kProgramKey), QLatin1String(kStartupValue));
    return numberValue(StripAtNul(value)) == 1.0;
}

void turnStartupSwitchOn(const QString &program)
{
    RegSetValue(QLatin1String(kRunKey), QLatin1String(kRunValue),
                platform::monitorModeCommandLine(program));
    RegSetValue(QLatin1String(kProgramKey), QLatin1String(kStartupValue), QStringLiteral("1"));
}

void turnStartupSwitchOff()
{
    RegDelValue(QLatin1String(kRunKey), QLatin1String(kRunValue));
    RegSetValue(QLatin1String(kProgramKey), QLatin1String(kStartupValue), QStringLiteral("0"));
}

} // namespace sweepora
