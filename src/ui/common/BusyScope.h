#pragma once

#include <QElapsedTimer>
#include <QObject>

namespace sweepora {

// Long work on the user-interface thread (a listing, a cleaning run, a
// used-space sum, locking a file) keeps the windows painted and answering
// the desktop without taking user input. While a BusyScope lives:
// - the busy pointer shows;
// - mouse, keyboard, wheel and touch input to every window of the program is
//   swallowed (not queued for later);
// - keepPainted(), called often from the work's progress callback, lets the
//   other waiting events (painting, the window system's messages, timers)
//   run, at most every 50 ms.
// Closing a window by its frame is not input: a window that must not close
// meanwhile refuses its close event itself.
class BusyScope : public QObject
{
public:
    BusyScope();
    ~BusyScope() override;

    void keepPainted();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QElapsedTimer m_sinceEvents;
};

} // namespace sweepora
