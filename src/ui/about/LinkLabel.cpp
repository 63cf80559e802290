// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/about/LinkLabel.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace sweepora {

LinkLabel::LinkLabel(const QString &text, const QUrl &tag, QWidget *parent)
    : QLabel(text, parent)
    , m_tag(tag)
{
    setTextFormat(Qt::PlainText);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
    setToolTip(tag.toDisplayString(QUrl::PreferLocalFile));
    QFont underlined = font();
    underlined.setUnderline(true);
    setFont(underlined);
    setForegroundRole(QPalette::Link);
}

void LinkLabel::mousePressEvent(QMouseEvent *event)
{
    m_pressed = event->button() == Qt::LeftButton;
    event->accept();
}

void LinkLabel::mouseReleaseEvent(QMouseEvent *event)
{
    const bool click = m_pressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    m_pressed = false;
    event->accept();
    if (click)
        emit clicked();
}

void LinkLabel::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        event->accept();
        emit clicked();
        break;
    default:
        QLabel::keyPressEvent(event);
    }
}

} // namespace sweepora
