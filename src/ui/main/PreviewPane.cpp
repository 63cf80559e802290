// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main/PreviewPane.h"

#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QUrl>
#include <QWebEngineDownloadRequest>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineSettings>

namespace sweepora {
namespace {

// Text shown as plain text is cut at this size: a preview, not an editor.
constexpr qint64 kTextPreviewLimit = 1024 * 1024;

// Endings the browser renders on its own from a local file.
bool browserShowsDirectly(const QString &suffix)
{
    static const QStringList direct = {
        QStringLiteral("htm"), QStringLiteral("html"), QStringLiteral("shtm"), QStringLiteral("shtml"),
        QStringLiteral("txt"), QStringLiteral("gif"), QStringLiteral("bmp"), QStringLiteral("jpg"),
        QStringLiteral("jpeg"), QStringLiteral("png"), QStringLiteral("ico"), QStringLiteral("wav"),
    };
    return direct.contains(suffix.toLower());
}

QString escapedNote(const QString &fileName)
{
    return QStringLiteral("<html><body style=\"font-family: sans-serif; color: #555; margin: 2em\">"
                          "<p>No preview for this kind of file:</p><p><b>%1</b></p></body></html>")
        .arg(fileName.toHtmlEscaped());
}

} // namespace

PreviewPane::PreviewPane(QWidget *parent)
    : QWebEngineView(parent),
      // Off the record: previews leave no cache or history in the home folder.
      m_profile(new QWebEngineProfile(this))
{
    auto *page = new QWebEnginePage(m_profile, this);
    setPage(page);
    page->settings()->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
    page->settings()->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
    page->settings()->setAttribute(QWebEngineSettings::PluginsEnabled, false);
    page->settings()->setAttribute(QWebEngineSettings::PdfViewerEnabled, false);
    setContextMenuPolicy(Qt::NoContextMenu);

    // A page may still ask for a download (a link, a page that redirects to
    // a document): never start one, and say why in the pane.
    connect(m_profile, &QWebEngineProfile::downloadRequested, this,
            [this](QWebEngineDownloadRequest *download) {
                qWarning("Preview refused a download of %s",
                         qUtf8Printable(download->url().toDisplayString()));
                download->cancel();
                setHtml(escapedNote(QFileInfo(download->url().toLocalFile()).fileName()));
            });
}

void PreviewPane::showFile(const QByteArray &path)
{
    const QString name = QFile::decodeName(path);
    m_currentFile = name;
    const QFileInfo info(name);
    const QUrl url = QUrl::fromLocalFile(name);
    if (browserShowsDirectly(info.suffix())) {
        setUrl(url);
        return;
    }
    const QMimeType type = QMimeDatabase().mimeTypeForFile(info);
    if (type.inherits(QStringLiteral("text/plain"))) {
        QFile file(name);
        if (!file.open(QIODevice::ReadOnly)) {
            qWarning("Cannot open %s for preview: %s", qUtf8Printable(name), qUtf8Printable(file.errorString()));
            return; // the pane keeps what it shows
        }
        page()->setContent(file.read(kTextPreviewLimit), QStringLiteral("text/plain;charset=utf-8"), url);
        return;
    }
    setHtml(escapedNote(info.fileName()));
}

} // namespace sweepora
