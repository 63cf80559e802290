// SPDX-License-Identifier: GPL-3.0-or-later
// Stand-ins for the services that end a desktop session: systemd-logind on
// the system bus, and the GNOME and KDE Plasma session managers on the
// session bus. Each run plays one role, given as the only argument; it
// prints "ready" once its name is on the bus and then one line per call it
// receives, before answering the call.
//
//   login1          logind; the calling process lives in session "c7"
//   login1-nopid    logind that knows no session for any process
//   gnome           org.gnome.SessionManager
//   gnome-refuses   org.gnome.SessionManager that answers Logout with an error
//   kde             org.kde.Shutdown (KDE Plasma 5.25 and later)
//   ksmserver       org.kde.ksmserver (older KDE Plasma)

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QObject>

#include <cstdio>

namespace {

void logCall(const QString &line)
{
    std::fputs(qPrintable(line + u'\n'), stdout);
    std::fflush(stdout);
}

class Login1Manager : public QObject, protected QDBusContext
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.login1.Manager")
public:
    explicit Login1Manager(bool knowsSessions) : m_knowsSessions(knowsSessions) {}

public slots:
    void PowerOff(bool interactive) { logCall(QStringLiteral("PowerOff ") + boolText(interactive)); }
    void Reboot(bool interactive) { logCall(QStringLiteral("Reboot ") + boolText(interactive)); }
    void TerminateSession(const QString &id) { logCall(QStringLiteral("TerminateSession ") + id); }
    QDBusObjectPath GetSessionByPID(uint pid)
    {
        logCall(QStringLiteral("GetSessionByPID ") + QString::number(pid));
        if (!m_knowsSessions) {
            sendErrorReply(QStringLiteral("org.freedesktop.login1.NoSessionForPID"),
                           QStringLiteral("PID does not belong to any known session"));
            return {};
        }
        return QDBusObjectPath(QStringLiteral("/org/freedesktop/login1/session/c7"));
    }

private:
    static QString boolText(bool value) { return value ? QStringLiteral("true") : QStringLiteral("false"); }

    bool m_knowsSessions;
};

class Login1Session : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.login1.Session")
    Q_PROPERTY(QString Id READ id)
public:
    QString id() const { return QStringLiteral("c7"); }
};

class GnomeSessionManager : public QObject, protected QDBusContext
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.gnome.SessionManager")
public:
    explicit GnomeSessionManager(bool refuses) : m_refuses(refuses) {}

public slots:
    void Logout(uint mode)
    {
        logCall(QStringLiteral("Logout ") + QString::number(mode));
        if (m_refuses)
            sendErrorReply(QStringLiteral("org.gnome.SessionManager.NotInRunning"),
                           QStringLiteral("Logout interface is only available during the Running phase"));
    }

private:
    bool m_refuses;
};

class KdeShutdown : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.Shutdown")
public slots:
    void logout() { logCall(QStringLiteral("logout")); }
};

class KdeSessionServer : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.KSMServerInterface")
public slots:
    void logout(int confirm, int type, int mode)
    {
        logCall(QStringLiteral("logout %1 %2 %3").arg(confirm).arg(type).arg(mode));
    }
};

bool publish(QDBusConnection bus, const QString &service, const QString &path, QObject *object)
{
    return bus.registerObject(path, object, QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllProperties)
           && bus.registerService(service);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QString role = app.arguments().value(1);
    const QDBusConnection system = QDBusConnection::systemBus();
    const QDBusConnection session = QDBusConnection::sessionBus();

    bool ok = false;
    if (role == QLatin1String("login1") || role == QLatin1String("login1-nopid")) {
        auto *sessionObject = new Login1Session;
        ok = QDBusConnection(system).registerObject(QStringLiteral("/org/freedesktop/login1/session/c7"),
                                                    sessionObject, QDBusConnection::ExportAllProperties)
             && publish(system, QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
                        new Login1Manager(role == QLatin1String("login1")));
    } else if (role == QLatin1String("gnome") || role == QLatin1String("gnome-refuses")) {
        ok = publish(session, QStringLiteral("org.gnome.SessionManager"), QStringLiteral("/org/gnome/SessionManager"),
                     new GnomeSessionManager(role == QLatin1String("gnome-refuses")));
    } else if (role == QLatin1String("kde")) {
        ok = publish(session, QStringLiteral("org.kde.Shutdown"), QStringLiteral("/Shutdown"), new KdeShutdown);
    } else if (role == QLatin1String("ksmserver")) {
        ok = publish(session, QStringLiteral("org.kde.ksmserver"), QStringLiteral("/KSMServer"), new KdeSessionServer);
    }
    if (!ok) {
        std::fprintf(stderr, "cannot play role %s\n", qPrintable(role));
        return 1;
    }
    logCall(QStringLiteral("ready"));
    return app.exec();
}

#include "sessionstandin.moc"
