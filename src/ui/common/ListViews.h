// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QAbstractItemView;

namespace sweepora {

// Gives a list whole-row selection: a click anywhere in a row selects the
// row. The view's other behaviour stays as it was.
void SetFullRowSelect(QAbstractItemView *view);

} // namespace sweepora
