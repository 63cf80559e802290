// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/SessionEnd.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusError>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QtDebug>

// Session end goes through systemd-logind on the system bus; a plain log-off
// goes to the desktop's session manager first, so that it can close the
// session's programs in its usual way.

namespace sweepora::platform {
namespace {

const QString login1Service = QStringLiteral("org.freedesktop.login1");
const QString login1Path = QStringLiteral("/org/freedesktop/login1");
const QString login1Manager = QStringLiteral("org.freedesktop.login1.Manager");
const QString login1Session = QStringLiteral("org.freedesktop.login1.Session");

QString describe(const QDBusMessage &reply)
{
    return reply.errorName() + QStringLiteral(": ") + reply.errorMessage();
}

// True when an error says that nobody answered the call: the bus is not
// there, the service is not running, or it does not offer the call.
bool nobodyAnswered(const QDBusMessage &reply)
{
    // A call that may not start its service finds no owner of the name.
    if (reply.errorName() == QLatin1String("org.freedesktop.DBus.Error.NameHasNoOwner"))
        return true;
    switch (QDBusError(reply).type()) {
    case QDBusError::Disconnected:
    case QDBusError::NoServer:
    case QDBusError::ServiceUnknown:
    case QDBusError::UnknownObject:
    case QDBusError::UnknownInterface:
    case QDBusError::UnknownMethod:
    case QDBusError::NoReply:
    case QDBusError::Timeout:
    case QDBusError::TimedOut:
        return true;
    default:
        return false;
    }
}

QDBusMessage callLogind(const QString &method, const QVariantList &arguments)
{
    QDBusMessage call = QDBusMessage::createMethodCall(login1Service, login1Path, login1Manager, method);
    call.setArguments(arguments);
    return QDBusConnection::systemBus().call(call);
}

// Asks logind for a power action; `interactive` false: no authorisation
// dialog, a refusal comes back as an error at once.
void powerAction(const QString &method)
{
    const QDBusMessage reply = callLogind(method, {false});
    if (reply.type() != QDBusMessage::ReplyMessage)
        qWarning("Session end: logind %s failed: %s", qUtf8Printable(method), qUtf8Printable(describe(reply)));
}

// The logind session this process belongs to; the session named by
// XDG_SESSION_ID when logind cannot tell (a process started outside the
// session's process tree); empty when neither is known.
QString currentSessionId()
{
    const QDBusMessage byPid = callLogind(QStringLiteral("GetSessionByPID"),
                                          {quint32(QCoreApplication::applicationPid())});
    if (byPid.type() == QDBusMessage::ReplyMessage && !byPid.arguments().isEmpty()) {
        const QString path = qvariant_cast<QDBusObjectPath>(byPid.arguments().constFirst()).path();
        QDBusMessage get = QDBusMessage::createMethodCall(login1Service, path,
                                                          QStringLiteral("org.freedesktop.DBus.Properties"),
                                                          QStringLiteral("Get"));
        get.setArguments({login1Session, QStringLiteral("Id")});
        const QDBusMessage idReply = QDBusConnection::systemBus().call(get);
        if (idReply.type() == QDBusMessage::ReplyMessage && !idReply.arguments().isEmpty()) {
            const QString id = qvariant_cast<QDBusVariant>(idReply.arguments().constFirst()).variant().toString();
            if (!id.isEmpty())
                return id;
        }
        qWarning("Session end: cannot read the Id of session %s: %s", qUtf8Printable(path),
                 qUtf8Printable(describe(idReply)));
    } else {
        qWarning("Session end: logind knows no session of this process: %s", qUtf8Printable(describe(byPid)));
    }
    return qEnvironmentVariable("XDG_SESSION_ID");
}

void terminateSession()
{
    const QString id = currentSessionId();
    if (id.isEmpty()) {
        qWarning("Session end: no session to end");
        return;
    }
    const QDBusMessage reply = callLogind(QStringLiteral("TerminateSession"), {id});
    if (reply.type() != QDBusMessage::ReplyMessage)
        qWarning("Session end: logind TerminateSession %s failed: %s", qUtf8Printable(id),
                 qUtf8Printable(describe(reply)));
}

struct DesktopLogOut
{
    const char *service;
    const char *path;
    const char *interface;
    const char *method;
    QVariantList arguments;
};

enum class Answer { Done, Refused, Absent };

Answer askDesktop(const DesktopLogOut &manager)
{
    QDBusMessage call = QDBusMessage::createMethodCall(QLatin1String(manager.service), QLatin1String(manager.path),
                                                       QLatin1String(manager.interface),
                                                       QLatin1String(manager.method));
    call.setArguments(manager.arguments);
    // Only a session manager that already runs may end the session.
    call.setAutoStartService(false);
    const QDBusMessage reply = QDBusConnection::sessionBus().call(call);
    if (reply.type() == QDBusMessage::ReplyMessage)
        return Answer::Done;
    if (nobodyAnswered(reply))
        return Answer::Absent;
    qWarning("Session end: %s refused to log off: %s", manager.service, qUtf8Printable(describe(reply)));
    return Answer::Refused;
}

// Log-off through the desktop's session manager, which lets the session's
// programs close the usual way; logind ends the session only where no
// session manager answers. A session manager that answers with a refusal
// is respected: the session stays.
void logOff()
{
    const DesktopLogOut managers[] = {
        // GNOME (and desktops that took over its interface): mode 1 is
        // "no confirmation".
        {"org.gnome.SessionManager", "/org/gnome/SessionManager", "org.gnome.SessionManager", "Logout",
         {quint32(1)}},
        // KDE Plasma 5.25 and later.
        {"org.kde.Shutdown", "/Shutdown", "org.kde.Shutdown", "logout", {}},
        // Older KDE Plasma: no confirmation, log-off only, default mode.
        {"org.kde.ksmserver", "/KSMServer", "org.kde.KSMServerInterface", "logout", {0, 0, 0}},
    };
    for (const DesktopLogOut &manager : managers) {
        switch (askDesktop(manager)) {
        case Answer::Done:
        case Answer::Refused:
            return;
        case Answer::Absent:
            break;
        }
    }
    terminateSession();
}

} // namespace

void EndSession(std::uint8_t flags)
{
    if (flags & EndSessionReboot)
        powerAction(QStringLiteral("Reboot"));
    else if (flags & (EndSessionShutDown | 8))
        powerAction(QStringLiteral("PowerOff"));
    else if (flags & EndSessionForce)
        terminateSession();
    else
        logOff();
}

} // namespace sweepora::platform
