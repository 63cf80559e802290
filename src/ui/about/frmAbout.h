// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace sweepora {

class LinkLabel;

// The About box "About Sweepora": name, version ("Version: 2.00.0066"),
// description, and four links: lblCopyright and lblEmail open a mail to the
// maker, lblURL the product's web page, lblProduct the maker's home page
// (see Links.h). OK or the window frame closes it; it deletes itself then.
class frmAbout : public QDialog
{
    Q_OBJECT

public:
    explicit frmAbout(QWidget *parent = nullptr);

    // Shows the About box without waiting for it: brings the open one to the
    // front, or makes a new one. The box is a child of `parent` (the main
    // window), so it goes when the main window goes.
    static frmAbout *open(QWidget *parent);

    void cmdOK_Click();
    void lblCopyright_Click();
    void lblEmail_Click();
    void lblProduct_Click();
    void lblURL_Click();

private:
    LinkLabel *lblCopyright;
    LinkLabel *lblURL;
    LinkLabel *lblProduct;
    LinkLabel *lblEmail;
    QPushButton *cmdOK;
};

} // namespace sweepora
