// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/about/VersionText.h"

namespace sweepora {

QString splashVersionText(int major, int minor, int revision)
{
    return QStringLiteral("Version %1.%2.%3").arg(major).arg(minor).arg(revision);
}

QString aboutVersionText(int major, int minor, int revision)
{
    return QStringLiteral("Version: %1.%2.%3").arg(major).arg(minor, 2, 10, QLatin1Char('0')).arg(revision, 4, 10, QLatin1Char('0'));
}

QString splashVersionText()
{
    return splashVersionText(SWEEPORA_VERSION_MAJOR, SWEEPORA_VERSION_MINOR, SWEEPORA_VERSION_PATCH);
}

QString aboutVersionText()
{
    return aboutVersionText(SWEEPORA_VERSION_MAJOR, SWEEPORA_VERSION_MINOR, SWEEPORA_VERSION_PATCH);
}

} // namespace sweepora
