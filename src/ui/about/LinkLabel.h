// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>
#include <QUrl>

namespace sweepora {

// A label that stands for an address: drawn as a link, it emits clicked()
// on a click with the left button, and on Enter or Space when it has the
// keyboard focus. It opens nothing itself; its window decides.
class LinkLabel : public QLabel
{
    Q_OBJECT

public:
    LinkLabel(const QString &text, const QUrl &tag, QWidget *parent = nullptr);

    // The address the label stands for.
    QUrl tag() const { return m_tag; }

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    QUrl m_tag;
    bool m_pressed = false;
};

} // namespace sweepora
