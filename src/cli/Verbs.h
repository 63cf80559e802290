#pragma once

#include <QStringList>

namespace sweepora::cli {

// Each verb gets the arguments after its name and returns the exit status.
int runGroups(const QStringList &args);
int runLock(const QStringList &args);
int runUnlock(const QStringList &args);

} // namespace sweepora::cli
