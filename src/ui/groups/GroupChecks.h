// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/GroupTable.h"

#include <QString>
#include <QStringList>

namespace sweepora {

// The boxes of the add and edit dialogs that a refusal sends the focus to.
enum class GroupBox { Name, Key, Path };

// The outcome of checking what the user entered for one group.
struct GroupCheck
{
    QString message;              // the refusal; empty when the entry passes
    GroupBox box = GroupBox::Name; // the box to correct, on a refusal
    Group group;                  // on a pass: the entry with its path ending in the separator

    bool passed() const { return message.isEmpty(); }
};

// Checks an entry of the add and edit dialogs, in this order, and stops at
// the first refusal:
//  1. Name empty; 2. Name holding a double quote or a line break;
//  3. Key empty; 4. Key holding a double quote or a line break;
//  5. Key equal (case-sensitive) to one of `otherKeys`;
//  6. Path empty; 7. Path holding a double quote or a line break;
//  8. the folder refused by platform::protectedFolderRefusal (not absolute,
//     the root, the home folder, a system folder).
// The path is checked and stored with the path separator appended when it
// does not end with one, in the case the user typed it. Name and Key are
// stored as typed (blanks included); the icon text is passed through.
GroupCheck checkGroupEntry(const Group &entry, const QStringList &otherKeys);

} // namespace sweepora
