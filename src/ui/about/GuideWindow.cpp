// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/about/GuideWindow.h"

#include <QApplication>
#include <QPointer>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace sweepora {

namespace {
QPointer<GuideWindow> openWindow;
}

GuideWindow::GuideWindow()
    : m_browser(new QTextBrowser(this))
{
    setObjectName(QStringLiteral("GuideWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    m_browser->setObjectName(QStringLiteral("guideBrowser"));
    // Links that leave the guide go to the desktop, anchors stay here.
    m_browser->setOpenExternalLinks(true);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_browser);
    connect(m_browser, &QTextBrowser::sourceChanged, this, [this] {
        const QString title = m_browser->documentTitle();
        setWindowTitle(title.isEmpty() ? QApplication::applicationName() : title);
    });
    resize(980, 720);
}

GuideWindow *GuideWindow::showPage(const QUrl &page)
{
    if (!openWindow)
        openWindow = new GuideWindow;
    openWindow->m_browser->setSource(page);
    openWindow->show();
    openWindow->raise();
    openWindow->activateWindow();
    return openWindow;
}

QUrl GuideWindow::page() const
{
    return m_browser->source();
}

} // namespace sweepora
