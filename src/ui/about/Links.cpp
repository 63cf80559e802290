#include "ui/about/Links.h"

#include "ui/about/GuideWindow.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QtDebug>

namespace sweepora {

QString installedGuidePath(const QString &programDir)
{
    const QString beside = QDir::cleanPath(QDir(programDir).filePath(QStringLiteral(SWEEPORA_GUIDE_FROM_BINDIR)));
    return QFileInfo(beside).isFile() ? beside : QStringLiteral(SWEEPORA_GUIDE_PATH);
}

QUrl productWebPage()
{
    const QString page = QStringLiteral(SWEEPORA_WEB_PAGE);
    if (!page.isEmpty())
        return QUrl(page);
    return QUrl::fromLocalFile(installedGuidePath(QCoreApplication::applicationDirPath()));
}

QUrl makerHomePage()
{
    return QUrl(QStringLiteral(SWEEPORA_HOME_PAGE));
}

QUrl makerMail()
{
    return QUrl(QStringLiteral(SWEEPORA_MAIL));
}

QString makerName()
{
    return QStringLiteral("Vantrel");
}

void openLink(const QUrl &url)
{
    if (QDesktopServices::openUrl(url))
        return;
    qWarning("Cannot open %s", qUtf8Printable(url.toDisplayString()));
    // A desktop without a browser still gets to read the user guide.
    if (url.isLocalFile() && QFileInfo(url.toLocalFile()).isFile())
        GuideWindow::showPage(url);
}

} // namespace sweepora
