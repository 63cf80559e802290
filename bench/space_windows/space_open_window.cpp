// SPDX-License-Identifier: GPL-3.0-or-later
// space_open_window space|monitor: opens that window as the program does,
// waits until it has filled in, prints how long filling took (to stderr)
// and ends. Run it with QT_QPA_PLATFORM=offscreen for a headless timing.

#include "space/frmFreeSpace.h"
#include "ui/monitor/frmMonitor.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <cstdio>
#include <cstring>

using namespace sweepora;

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc != 2 || (std::strcmp(argv[1], "space") != 0 && std::strcmp(argv[1], "monitor") != 0)) {
        std::fprintf(stderr, "usage: space_open_window space|monitor\n");
        return 2;
    }

    QElapsedTimer clock;
    const auto finished = [&] {
        std::fprintf(stderr, "%s window filled in %.1f ms\n", argv[1], double(clock.nsecsElapsed()) / 1e6);
        QTimer::singleShot(0, &app, &QCoreApplication::quit);
    };

    clock.start();
    if (std::strcmp(argv[1], "space") == 0) {
        auto *window = new frmFreeSpace;
        QObject::connect(window, &frmFreeSpace::loadFinished, finished);
        window->show();
        return app.exec();
    }
    frmMonitor window;
    QObject::connect(&window, &frmMonitor::loadFinished, finished);
    window.show();
    return app.exec();
}
