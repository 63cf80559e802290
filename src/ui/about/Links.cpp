// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/about/Links.h"

#include "ui/about/GuideWindow.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QtDebug>

namespace sweepora {

QString userGuidePath(const QString &programDir)
{
    QStringList candidates;
    candidates << QDir::cleanPath(QDir(programDir).filePath(QStringLiteral(SWEEPORA_GUIDE_FROM_BINDIR)));
    const QString buildTree = QDir::cleanPath(QStringLiteral(SWEEPORA_BUILD_DIR));
    const QString program = QDir::cleanPath(programDir);
    if (program == buildTree || program.startsWith(buildTree + u'/'))
        candidates << QStringLiteral(SWEEPORA_GUIDE_SOURCE);
    candidates << QStringLiteral(SWEEPORA_GUIDE_PATH);
    for (const QString &candidate : std::as_const(candidates)) {
        if (QFileInfo(candidate).isFile())
            return candidate;
    }
    qWarning("No user guide found for the program in %s", qUtf8Printable(programDir));
    return candidates.constLast();
}

QString productWebPageText()
{
    const QUrl page = productWebPage();
    return page.isLocalFile() ? QStringLiteral("Sweepora User Guide") : page.toDisplayString();
}

QUrl productWebPage()
{
    const QString page = QStringLiteral(SWEEPORA_WEB_PAGE);
    if (!page.isEmpty())
        return QUrl(page);
    return QUrl::fromLocalFile(userGuidePath(QCoreApplication::applicationDirPath()));
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
