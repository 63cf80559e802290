// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/tray/ShutDownMenu.h"

#include "platform/SessionEnd.h"
#include "ui/common/MessageBoxes.h"

#include <QAction>
#include <QMenu>

namespace sweepora {

void endSession(const EndSessionHook &hook, std::uint8_t flags)
{
    if (hook)
        hook(flags);
    else
        platform::EndSession(flags);
}

void addShutDownItems(QMenu *menu, const EndSessionHook &hook)
{
    struct Item
    {
        const char *name;
        const char *caption;
        std::uint8_t flags;
    };
    static const Item items[] = {
        {"reboot", "&Reboot", platform::EndSessionReboot},
        {"shutdown", "&Shutdown", platform::EndSessionShutDown},
        {"relogon", "&Re Logon", platform::EndSessionLogOff},
        {"forcedown", "&Force", platform::EndSessionForce},
    };
    for (const Item &item : items) {
        QAction *action = menu->addAction(QString::fromLatin1(item.caption));
        action->setObjectName(QString::fromLatin1(item.name));
        const std::uint8_t flags = item.flags;
        QObject::connect(action, &QAction::triggered, menu, [hook, flags] { endSession(hook, flags); });
    }
}

bool confirmShutDown(QWidget *parent, const EndSessionHook &hook)
{
    if (!askYesNo(parent, QStringLiteral("Do you wan to shutdown your computer now?"), QStringLiteral("ALERT!"),
                  QMessageBox::Warning, false))
        return false;
    endSession(hook, platform::EndSessionShutDown);
    return true;
}

} // namespace sweepora
