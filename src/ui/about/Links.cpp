#include "ui/about/Links.h"

#include <QDesktopServices>
#include <QtDebug>

namespace sweepora {

QUrl productWebPage()
{
    const QString page = QStringLiteral(SWEEPORA_WEB_PAGE);
    return page.isEmpty() ? QUrl::fromLocalFile(QStringLiteral(SWEEPORA_GUIDE_PATH)) : QUrl(page);
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
    if (!QDesktopServices::openUrl(url))
        qWarning("Cannot open %s", qUtf8Printable(url.toDisplayString()));
}

} // namespace sweepora
