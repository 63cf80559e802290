// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A D-Bus message bus of the test's own: a dbus-daemon with a permissive
// configuration, listening on a socket inside the test's temporary folder.
// Point DBUS_SYSTEM_BUS_ADDRESS or DBUS_SESSION_BUS_ADDRESS at address()
// before the process first uses that bus, and nothing reaches the machine's
// real buses.

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QString>

namespace sweepora::test {

class PrivateBus
{
public:
    PrivateBus() = default;
    PrivateBus(const PrivateBus &) = delete;
    PrivateBus &operator=(const PrivateBus &) = delete;
    ~PrivateBus() { stop(); }

    // Starts the daemon with its configuration and socket in `folder`.
    // Returns false when dbus-daemon is missing or does not come up.
    bool start(const QString &folder)
    {
        const QString daemon = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
        if (daemon.isEmpty() || !QDir().mkpath(folder))
            return false;
        const QString config = folder + QStringLiteral("/bus.conf");
        QFile file(config);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return false;
        file.write(QStringLiteral(
                       "<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN\"\n"
                       " \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
                       "<busconfig>\n"
                       "  <type>session</type>\n"
                       "  <listen>unix:path=%1/bus_socket</listen>\n"
                       "  <auth>EXTERNAL</auth>\n"
                       "  <policy context=\"default\">\n"
                       "    <allow send_destination=\"*\" eavesdrop=\"true\"/>\n"
                       "    <allow eavesdrop=\"true\"/>\n"
                       "    <allow own=\"*\"/>\n"
                       "  </policy>\n"
                       "</busconfig>\n")
                       .arg(folder)
                       .toUtf8());
        file.close();

        m_daemon.setProgram(daemon);
        m_daemon.setArguments({QStringLiteral("--config-file=") + config, QStringLiteral("--nofork"),
                               QStringLiteral("--print-address=1")});
        m_daemon.setProcessChannelMode(QProcess::SeparateChannels);
        m_daemon.start();
        if (!m_daemon.waitForStarted())
            return false;
        // The daemon prints its address once it listens.
        while (!m_daemon.canReadLine()) {
            if (!m_daemon.waitForReadyRead(30000))
                return false;
        }
        m_address = QString::fromUtf8(m_daemon.readLine()).trimmed();
        return !m_address.isEmpty();
    }

    void stop()
    {
        if (m_daemon.state() != QProcess::NotRunning) {
            m_daemon.terminate();
            if (!m_daemon.waitForFinished(10000))
                m_daemon.kill();
            m_daemon.waitForFinished();
        }
    }

    QString address() const { return m_address; }

private:
    QProcess m_daemon;
    QString m_address;
};

} // namespace sweepora::test
