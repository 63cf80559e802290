// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

#include <functional>

class QFrame;
class QLabel;
class QTimer;

namespace sweepora {

// The start-up splash: product name, version, a line of description. It
// hands over to the main window after four seconds, or earlier on Enter or
// on a click on its background (a click on one of its texts or pictures,
// and every other key, does nothing). The hand-over runs exactly once;
// then the splash closes and deletes itself. Closing it in any other way
// (the desktop's close command) hands over as well, so that the program
// never ends up with no window to show.
//
// Shown without waiting for it:
//     (new frmSplash(handOverToMainWindow))->show();
class frmSplash : public QWidget
{
    Q_OBJECT

public:
    static constexpr int defaultInterval = 4000; // ms

    // `handOver` makes the main window visible (and, in monitor mode,
    // minimizes it and empties StartMode). `interval` is how long the
    // splash stays when nobody ends it.
    explicit frmSplash(std::function<void()> handOver, int interval = defaultInterval);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Timer1_Timer();
    void Frame1_Click();
    // True when `position` (in Frame1) lies on its background, not on one
    // of its texts or pictures.
    bool onBackground(const QPoint &position) const;

    std::function<void()> m_handOver;
    bool m_handedOver = false;
    bool m_pressedOnBackground = false;
    QTimer *Timer1;
    QFrame *Frame1;
};

} // namespace sweepora
