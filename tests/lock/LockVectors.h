// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Locked files worked out by hand from the format's rules: the password,
// the plain content and the whole locked file, header included. Shared by
// the cipher's tests and the command line's.

#include <QByteArray>
#include <QList>
#include <QString>

namespace sweepora::test {

// Locked files worked out by hand from the format's rules.
struct Vector
{
    const char *name;
    QString password;
    QByteArray plain;
    QByteArray locked;
};

const QList<Vector> &lockVectors()
{
    static const QList<Vector> list = {
        {"greeting", QStringLiteral("abc"), "Hello, World!",
         QByteArray::fromHex("5b5365637265745d34464443423730380d0a424c4a57792c20665963377721")},
        {"NUL, FF and line ends", QStringLiteral("Secret1"),
         QByteArray::fromHex("54686520717569636b2062726f776e20666f783f0d0a40686f6d653a2030313233343536373839205b785d00ff"),
         QByteArray::fromHex("5b5365637265745d43353635343634320d0a5537482065746b703020555a7073732068465a350d0a6c594d56343a20"
                             "68314a564a4652467856205b575d00ff")},
        {"empty file", QStringLiteral("a"), QByteArray(),
         QByteArray::fromHex("5b5365637265745d39423339414634320d0a")},
        {"no alphabet byte", QStringLiteral("pass word"), QByteArray::fromHex("3a3b3c3d3e5b5c5d5e5f6000ff0d0a207f80"),
         QByteArray::fromHex("5b5365637265745d31333037364343450d0a3a3b3c3d3e5b5c5d5e5f6000ff0d0a207f80")},
        {"Windows-1252 password", QStringLiteral("\u00e9t\u00e9\u20ac"), "Zz09?@",
         QByteArray::fromHex("5b5365637265745d30463739394239450d0a4964336c7a6c")},
        {"password outside Windows-1252", QStringLiteral("\u6f22x"),
         "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ",
         QByteArray::fromHex("5b5365637265745d36384246463146320d0a644c70446c625a443937356a31724a6a394c706a6c37356a646264"
                             "33687631507833644868766c50524839584276565078583948")},
        {"password of mixed scripts", QStringLiteral("\u00e9\u5bc6"), "Mixed script: \xc3\xa9\xe5\xaf\x86 0-9?@",
         QByteArray::fromHex("5b5365637265745d45433141353937340d0a6c4f363449205537357a394f3a20c3a9e5af8620712d676551")},
    };
    return list;
}

} // namespace sweepora::test
