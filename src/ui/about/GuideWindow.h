// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QUrl>
#include <QWidget>

class QTextBrowser;

namespace sweepora {

// A plain reader for a local page (the user guide) when the desktop has no
// browser to hand it to. One window at a time: opening another page shows
// it in the window already open. The window deletes itself when closed.
class GuideWindow : public QWidget
{
    Q_OBJECT
public:
    // Shows `page` (a file: address) in the open guide window, or in a new
    // one, and brings that window to the front. Returns the window.
    static GuideWindow *showPage(const QUrl &page);

    QUrl page() const;

private:
    GuideWindow();

    QTextBrowser *m_browser = nullptr;
};

} // namespace sweepora
