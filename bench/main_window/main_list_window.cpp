// SPDX-License-Identifier: GPL-3.0-or-later
// main_list_window KEY: opens the main window offscreen, clicks the group
// KEY as a user would, and prints one line once the list is filled:
//   <milliseconds from click to filled list> <rows> <resident bytes before> <resident bytes after>

#include "ui/main/FileListModel.h"
#include "ui/main/MainWindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include "ui/main/FileListView.h"
#include <QTreeWidget>

#include <cstdio>

namespace {

qint64 residentBytes()
{
    QFile status(QStringLiteral("/proc/self/statm"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = status.readAll().split(' ');
    return fields.size() > 1 ? fields.at(1).toLongLong() * 4096 : 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: main_list_window KEY\n");
        return 2;
    }
    const QString key = QString::fromLocal8Bit(argv[1]);
    sweepora::frmMain window;
    window.show();
    QCoreApplication::processEvents();

    QTreeWidgetItem *node = nullptr;
    for (int i = 0; i < window.folderTree()->topLevelItemCount(); ++i) {
        if (window.folderTree()->topLevelItem(i)->data(0, Qt::UserRole).toString() == key)
            node = window.folderTree()->topLevelItem(i);
    }
    if (!node) {
        std::fprintf(stderr, "no group %s\n", argv[1]);
        return 1;
    }
    const qint64 before = residentBytes();
    QElapsedTimer timer;
    timer.start();
    window.FolderTree_NodeClick(node);
    // The list is shown: let the view lay out and paint its first screen.
    window.fileList()->viewport()->repaint();
    const qint64 elapsed = timer.elapsed();
    std::printf("%lld %d %lld %lld\n", static_cast<long long>(elapsed), window.fileListModel()->rowCount(),
                static_cast<long long>(before), static_cast<long long>(residentBytes()));
    return 0;
}
