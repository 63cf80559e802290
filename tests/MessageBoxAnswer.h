#pragma once

// Answers the program's message boxes from a test: a timer finds the open
// box, records its title and text, and presses the wanted button.

#include <QAbstractButton>
#include <QPushButton>
#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>

#include <memory>

namespace sweepora::test {

struct SeenBox
{
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
};

class BoxAnswerer : public QObject
{
public:
    // Queues answers: each box that opens gets the next one.
    void answer(QMessageBox::StandardButton button) { m_answers.append(button); }

    QList<SeenBox> seen;

    BoxAnswerer()
    {
        m_timer.setInterval(20);
        connect(&m_timer, &QTimer::timeout, this, [this] { poll(); });
        m_timer.start();
    }

private:
    void poll()
    {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box || box == m_last)
            return;
        m_last = box;
        SeenBox s{box->windowTitle(), box->text(), box->icon(), QMessageBox::NoButton};
        if (QAbstractButton *def = box->defaultButton())
            s.defaultButton = box->standardButton(def);
        seen.append(s);
        const QMessageBox::StandardButton answer = m_answers.isEmpty() ? QMessageBox::Ok : m_answers.takeFirst();
        QAbstractButton *button = box->button(answer);
        if (!button)
            button = box->buttons().value(0);
        QTimer::singleShot(0, button, &QAbstractButton::click);
    }

    QTimer m_timer;
    QList<QMessageBox::StandardButton> m_answers;
    QPointer<QMessageBox> m_last;
};

} // namespace sweepora::test
