// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <cstdint>

namespace sweepora {

// Folders that a walk could not enter or finish, so that its result is
// known to be partial. The first few are kept with their reason for
// messages; all are counted.
struct WalkProblems
{
    struct Problem
    {
        QByteArray path; // as the walk reached it, ending in "/"
        QString reason;
    };

    static constexpr qsizetype kKept = 20;

    std::uint64_t count = 0;
    QList<Problem> first;

    bool empty() const { return count == 0; }

    void add(const QByteArray &path, const QString &reason)
    {
        ++count;
        if (first.size() < kKept)
            first.append({path, reason});
    }

    void add(const WalkProblems &other)
    {
        count += other.count;
        for (const Problem &p : other.first) {
            if (first.size() < kKept)
                first.append(p);
        }
    }

    // "N folders could not be read, such as PATH (REASON)", one line.
    QString summary() const;
};

} // namespace sweepora
