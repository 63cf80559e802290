// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/common/ListViews.h"

#include <QAbstractItemView>

namespace sweepora {

void SetFullRowSelect(QAbstractItemView *view)
{
    if (view)
        view->setSelectionBehavior(QAbstractItemView::SelectRows);
}

} // namespace sweepora
