// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QString>
#include <QStringList>

namespace sweepora::cli {

enum ExitCode : int { Success = 0, Refused = 1, UsageError = 2 };

// One verb of sweepora-cli. `run` gets the arguments after the verb.
struct Verb
{
    const char *name;
    const char *usage;   // arguments, for the help text
    const char *summary; // one line for the help text
    int (*run)(const QStringList &args);
};

// Writes a record line: fields joined by tabs, control characters in each
// field written as \t, \n, \r, \\ (others as \xHH).
void printRecord(const QStringList &fields);
// Writes one line as it stands.
void printLine(const QString &line);
// Writes a line to standard error.
void printError(const QString &line);
// Writes "sweepora-cli: <message>" and the usage hint to standard error and
// returns UsageError.
int usageError(const QString &message);

// Escapes one field for a record line.
QString escapeField(const QString &field);

// Escapes bytes from the system (a file name, a path) for a record line or
// a message: well-formed UTF-8 stays as it is; a byte that is not part of
// well-formed UTF-8 is written as \xHH and a backslash as \\, besides the
// control characters above, so that each printed path names one file.
QByteArray escapeBytes(QByteArrayView raw);

// The arguments after the verb as the system gave them, byte for byte (a
// file name need not be UTF-8), in the order of the list the verb gets.
QByteArrayList &verbArgumentBytes();

} // namespace sweepora::cli
