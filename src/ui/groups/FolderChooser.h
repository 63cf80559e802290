// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace sweepora {

// Asks the user for a folder: a dialog owned by `parent`, titled `title`,
// starting at `startFolder`, that offers folders only. Returns the chosen
// folder's full path, or an empty text when the user cancels.
using FolderChooser = std::function<QString(QWidget *parent, const QString &title, const QString &startFolder)>;

// The chooser BROWSE uses: QFileDialog::getExistingDirectory, unless a test
// has put its own in place to stand for the user.
FolderChooser &folderChooser();

} // namespace sweepora
