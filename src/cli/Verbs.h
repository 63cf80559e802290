// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

namespace sweepora::cli {

// Each verb gets the arguments after its name and returns the exit status.
int runGroups(const QStringList &args);
int runList(const QStringList &args);
int runUsed(const QStringList &args);
int runClean(const QStringList &args);
int runSpace(const QStringList &args);
int runMonitor(const QStringList &args);
int runStartup(const QStringList &args);
int runLock(const QStringList &args);
int runUnlock(const QStringList &args);

} // namespace sweepora::cli
