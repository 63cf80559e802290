#pragma once

#include <QString>

namespace sweepora {

// The title of message boxes that have none of their own.
inline QString applicationTitle()
{
    return QStringLiteral("Sweepora");
}

} // namespace sweepora
