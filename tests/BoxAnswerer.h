#pragma once

// Answers the message boxes a window opens during a test: every few
// milliseconds it looks for an open QMessageBox, notes its title, text and
// icon, and presses the chosen button (the box's default or OK when none
// was chosen).

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
};

class BoxAnswerer : public QObject
{
public:
    explicit BoxAnswerer(QMessageBox::StandardButton answer = QMessageBox::NoButton)
        : m_answer(answer)
    {
        connect(&m_timer, &QTimer::timeout, this, &BoxAnswerer::answerOpenBoxes);
        m_timer.start(10);
    }

    const QList<SeenBox> &seen() const { return m_seen; }
    QStringList texts() const
    {
        QStringList list;
        for (const SeenBox &box : m_seen)
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
            m_seen.append({box->windowTitle(), box->text(), box->icon()});
            QAbstractButton *button = m_answer != QMessageBox::NoButton ? box->button(m_answer) : nullptr;
            if (!button)
                button = box->defaultButton() ? box->defaultButton() : box->button(QMessageBox::Ok);
            if (button)
                button->click();
            else
                box->close();
        }
    }

    QMessageBox::StandardButton m_answer;
    QTimer m_timer;
    QList<SeenBox> m_seen;
};

} // namespace sweepora::test
