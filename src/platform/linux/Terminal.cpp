// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Terminal.h"

#include <QByteArray>

#include <cstdio>
#include <termios.h>
#include <unistd.h>

namespace sweepora::platform {

bool stdinIsTerminal()
{
    return ::isatty(STDIN_FILENO) == 1;
}

std::optional<QString> readHiddenLine(const QString &prompt)
{
    std::fputs(prompt.toLocal8Bit().constData(), stderr);
    std::fflush(stderr);

    termios saved {};
    const bool canHide = ::tcgetattr(STDIN_FILENO, &saved) == 0;
    if (canHide) {
        termios hidden = saved;
        hidden.c_lflag &= ~tcflag_t(ECHO);
        hidden.c_lflag |= ECHONL;
        ::tcsetattr(STDIN_FILENO, TCSANOW, &hidden);
    }

    QByteArray line;
    bool complete = false;
    for (int c; (c = std::getchar()) != EOF;) {
        if (c == '\n') {
            complete = true;
            break;
        }
        line += char(c);
    }

    if (canHide)
        ::tcsetattr(STDIN_FILENO, TCSANOW, &saved);
    if (!complete && line.isEmpty())
        return std::nullopt;
    if (line.endsWith('\r'))
        line.chop(1);
    return QString::fromLocal8Bit(line);
}

} // namespace sweepora::platform
