#pragma once

#include <QString>
#include <QUrl>

namespace sweepora {

// Where the About box's links and the main window's "&Web Support" lead.
// The addresses are build settings (CMake cache variables SWEEPORA_WEB_PAGE,
// SWEEPORA_HOME_PAGE, SWEEPORA_MAIL).

// The product's web page; when the build names none, the user guide
// installed with the program (a file: address, see installedGuidePath).
QUrl productWebPage();

// The installed user guide for a program in `programDir`: the guide at the
// same place relative to the program as the install puts it (so a package
// installed under another prefix finds its own guide), else the guide's
// path under the build's install prefix.
QString installedGuidePath(const QString &programDir);

// The maker's home page.
QUrl makerHomePage();

// The maker's mail address as a mailto: address.
QUrl makerMail();

// The maker's name, as the About box and the splash show it.
QString makerName();

// Hands `url` to the desktop's browser or mail program and returns at once.
// When that fails, the failure is written to the log; a local page that
// exists (the user guide) is then shown in Sweepora's own GuideWindow,
// anything else shows nothing.
void openLink(const QUrl &url);

} // namespace sweepora
