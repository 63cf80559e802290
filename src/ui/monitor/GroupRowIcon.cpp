#include "ui/monitor/GroupRowIcon.h"

#include <QApplication>
#include <QStyle>

namespace sweepora {

QIcon groupRowIcon(int iconNumber)
{
    // Every group shows a folder until the numbered group icons are part of
    // the program.
    Q_UNUSED(iconNumber);
    return QApplication::style()->standardIcon(QStyle::SP_DirIcon);
}

} // namespace sweepora
