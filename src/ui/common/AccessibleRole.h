// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAccessible>

class QWidget;

namespace sweepora {

// Gives `widget` the accessible role `role` (as assistive technology such
// as a screen reader over AT-SPI sees it) in place of the role of its
// class: a plain strip that works as a splitter is announced as a
// splitter, a drawn line as a separator. Its name stays its accessibleName.
// Call it before anything else asks for the widget's accessible interface
// (setting the accessible name does, while accessibility is on).
void setAccessibleRole(QWidget *widget, QAccessible::Role role);

} // namespace sweepora
