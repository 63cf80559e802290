// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// An X server of the test's own (Xvfb) with a notification area (trayer)
// and, where a test asks for one, a window manager (openbox), for tests of
// the windows and the tray icon as a desktop would show them. start() must run
// before the QApplication is made: it points DISPLAY at the new server and
// QT_QPA_PLATFORM at xcb. The tray host comes later, once Qt can talk to
// the server, with startTrayHost().

#include <QProcess>
#include <QStandardPaths>
#include <QString>

namespace sweepora::test {

class XServer
{
public:
    XServer() = default;
    XServer(const XServer &) = delete;
    XServer &operator=(const XServer &) = delete;
    ~XServer()
    {
        stop(m_trayHost);
        stop(m_windowManager);
        stop(m_server);
    }

    // False when Xvfb is missing or does not come up.
    bool start()
    {
        const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
        if (xvfb.isEmpty())
            return false;
        // -displayfd: the server picks a free display and prints its number
        // once it accepts connections. No lock file and only the abstract
        // local socket: nothing is written to /tmp.
        m_server.setProgram(xvfb);
        m_server.setArguments({QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-nolock"),
                               QStringLiteral("-nolisten"), QStringLiteral("tcp"), QStringLiteral("-nolisten"),
                               QStringLiteral("unix"), QStringLiteral("-screen"), QStringLiteral("0"),
                               QStringLiteral("1024x768x24")});
        m_server.setStandardErrorFile(QProcess::nullDevice());
        m_server.start();
        if (!m_server.waitForStarted())
            return false;
        while (!m_server.canReadLine()) {
            if (!m_server.waitForReadyRead(30000))
                return false;
        }
        const QByteArray display = m_server.readLine().trimmed();
        if (display.isEmpty())
            return false;
        qputenv("DISPLAY", ":" + display);
        qputenv("QT_QPA_PLATFORM", "xcb");
        return true;
    }

    // Starts the tray host on the server. False when trayer is missing.
    bool startTrayHost()
    {
        const QString trayer = QStandardPaths::findExecutable(QStringLiteral("trayer"));
        if (trayer.isEmpty())
            return false;
        m_trayHost.setProgram(trayer);
        m_trayHost.setArguments({QStringLiteral("--edge"), QStringLiteral("top"), QStringLiteral("--align"),
                                 QStringLiteral("right")});
        m_trayHost.setStandardOutputFile(QProcess::nullDevice());
        m_trayHost.setStandardErrorFile(QProcess::nullDevice());
        m_trayHost.start();
        return m_trayHost.waitForStarted();
    }

    // Starts a window manager (openbox) on the server and waits until it
    // manages the screen. False when openbox is missing or does not come up.
    bool startWindowManager()
    {
        const QString openbox = QStandardPaths::findExecutable(QStringLiteral("openbox"));
        const QString xprop = QStandardPaths::findExecutable(QStringLiteral("xprop"));
        if (openbox.isEmpty() || xprop.isEmpty())
            return false;
        m_windowManager.setProgram(openbox);
        // No user configuration: the test's HOME has none, and openbox's
        // defaults are what a new user meets.
        m_windowManager.setArguments({QStringLiteral("--sm-disable")});
        m_windowManager.setStandardOutputFile(QProcess::nullDevice());
        m_windowManager.setStandardErrorFile(QProcess::nullDevice());
        m_windowManager.start();
        if (!m_windowManager.waitForStarted())
            return false;
        // A window manager announces itself on the root window.
        for (int attempt = 0; attempt < 300; ++attempt) {
            QProcess query;
            query.start(xprop, {QStringLiteral("-root"), QStringLiteral("_NET_SUPPORTING_WM_CHECK")});
            query.waitForFinished();
            if (query.readAllStandardOutput().contains("window id"))
                return true;
            if (m_windowManager.waitForFinished(100))
                return false; // it ended
        }
        return false;
    }

private:
    static void stop(QProcess &process)
    {
        if (process.state() == QProcess::NotRunning)
            return;
        process.terminate();
        if (!process.waitForFinished(10000))
            process.kill();
        process.waitForFinished();
    }

    QProcess m_server;
    QProcess m_windowManager;
    QProcess m_trayHost;
};

} // namespace sweepora::test
