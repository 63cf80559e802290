// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main/StatusLine.h"

#include <QResizeEvent>

#include <algorithm>

namespace sweepora {

StatusLine::StatusLine(QWidget *parent) : QLabel(parent)
{
    // The window's width decides how much is shown, not the text's.
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    setMinimumWidth(1);
    setTextFormat(Qt::PlainText);
}

void StatusLine::setLine(const QString &text, const QString &elidable)
{
    m_text = text;
    m_elidable = elidable;
    setToolTip(text);
    setAccessibleName(text);
    fit();
}

void StatusLine::resizeEvent(QResizeEvent *event)
{
    QLabel::resizeEvent(event);
    fit();
}

void StatusLine::fit()
{
    const QFontMetrics metrics = fontMetrics();
    const int room = contentsRect().width() - 2 * margin() - std::max(indent(), 0); // indent() is -1 when unset
    const int at = m_elidable.isEmpty() ? -1 : m_text.indexOf(m_elidable);
    if (metrics.horizontalAdvance(m_text) <= room || at < 0) {
        setText(m_text);
        return;
    }
    const QString head = m_text.left(at);
    const QString tail = m_text.mid(at + m_elidable.size());
    // The pieces measured apart can come out a pixel narrower than joined
    // (kerning), so the middle gives way until the whole line fits.
    int left = room - metrics.horizontalAdvance(head + tail);
    QString shown;
    for (;;) {
        shown = head + metrics.elidedText(m_elidable, Qt::ElideMiddle, std::max(left, 0)) + tail;
        if (left <= 0 || metrics.horizontalAdvance(shown) <= room)
            break;
        left -= std::max(metrics.averageCharWidth(), 1);
    }
    setText(shown);
}

} // namespace sweepora
