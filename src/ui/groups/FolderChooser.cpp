// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/groups/FolderChooser.h"

#include <QFileDialog>

namespace sweepora {

FolderChooser &folderChooser()
{
    static FolderChooser chooser = [](QWidget *parent, const QString &title, const QString &startFolder) {
        return QFileDialog::getExistingDirectory(parent, title, startFolder, QFileDialog::ShowDirsOnly);
    };
    return chooser;
}

} // namespace sweepora
