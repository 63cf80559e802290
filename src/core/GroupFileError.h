// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace sweepora {

// A failure of the group table's file, numbered as the program reports it
// ("53 -- File not found").
struct GroupFileError
{
    enum Number {
        None = 0,
        FileNotFound = 53,
        InputPastEnd = 62,
        PermissionDenied = 70,
        PathFileAccess = 75,
        PathNotFound = 76,
    };

    int number = None;
    QString description;

    explicit operator bool() const { return number != None; }
    QString text() const { return QString::number(number) + QStringLiteral(" -- ") + description; }

    static GroupFileError make(Number number);
};

} // namespace sweepora
