// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>

namespace sweepora {

// One line of text in a status bar that never pushes the window wider and
// never loses its end: when the line is wider than the bar, only the part
// named as elidable (a folder path) is shortened in its middle. The full
// line stays the label's tool tip and accessible name, so that a screen
// reader reads all of it.
class StatusLine : public QLabel
{
    Q_OBJECT

public:
    explicit StatusLine(QWidget *parent = nullptr);

    // Shows `text`; `elidable`, where it occurs in `text`, is the part that
    // gives way first. An empty text empties the line.
    void setLine(const QString &text, const QString &elidable = QString());
    QString line() const { return m_text; }

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void fit();

    QString m_text;
    QString m_elidable;
};

} // namespace sweepora
