// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWebEngineView>

class QWebEngineProfile;

namespace sweepora {

// The main window's preview pane: an embedded browser that shows a local
// file. Kinds the browser shows by itself (pages, pictures, sound, plain
// text) are opened directly; other text files are shown as plain text; for
// anything else (word-processor documents, spreadsheets, MIDI…) the pane
// shows a short note instead of starting a download or asking anything.
class PreviewPane : public QWebEngineView
{
    Q_OBJECT

public:
    explicit PreviewPane(QWidget *parent = nullptr);

    // Shows the local file `path` (bytes as the file system names it).
    void showFile(const QByteArray &path);

    // The path last asked for, for tests and diagnostics.
    QString currentFile() const { return m_currentFile; }

private:
    QWebEngineProfile *m_profile;
    QString m_currentFile;
};

} // namespace sweepora
