// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Answers the message boxes a window opens during a test: every few
// milliseconds it looks for an open QMessageBox, notes its title, text, icon
// and default button, and presses a button: the next queued answer, else
// the answer given at construction, else the box's default button or OK.

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

namespace sweepora::test {

struct SeenBox
{
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
    QString details; // the box's unfoldable text
};

class BoxAnswerer : public QObject
{
public:
    explicit BoxAnswerer(QMessageBox::StandardButton answer = QMessageBox::NoButton) : m_answer(answer)
    {
        connect(&m_timer, &QTimer::timeout, this, &BoxAnswerer::answerOpenBoxes);
        m_timer.start(10);
    }

    // Queues an answer for the next box that opens.
    void answer(QMessageBox::StandardButton button) { m_queued.append(button); }

    // Every box seen so far, in order.
    QList<SeenBox> seen;

    QStringList texts() const
    {
        QStringList list;
        for (const SeenBox &box : seen)
            list << box.text;
        return list;
    }

private:
    void answerOpenBoxes()
    {
        const auto widgets = QApplication::topLevelWidgets();
        for (QWidget *widget : widgets) {
            auto *box = qobject_cast<QMessageBox *>(widget);
            if (!box || !box->isVisible() || box->property("answeredByTest").toBool())
                continue;
            box->setProperty("answeredByTest", true);
            SeenBox s{box->windowTitle(), box->text(), box->icon(), QMessageBox::NoButton, box->detailedText()};
            if (QAbstractButton *def = box->defaultButton())
                s.defaultButton = box->standardButton(def);
            seen.append(s);
            const QMessageBox::StandardButton wanted = m_queued.isEmpty() ? m_answer : m_queued.takeFirst();
            QAbstractButton *button = wanted != QMessageBox::NoButton ? box->button(wanted) : nullptr;
            if (!button)
                button = box->defaultButton() ? box->defaultButton() : box->button(QMessageBox::Ok);
            if (button)
                QTimer::singleShot(0, button, &QAbstractButton::click);
            else
                QTimer::singleShot(0, box, &QWidget::close);
        }
    }

    QMessageBox::StandardButton m_answer;
    QList<QMessageBox::StandardButton> m_queued;
    QTimer m_timer;
};

} // namespace sweepora::test
