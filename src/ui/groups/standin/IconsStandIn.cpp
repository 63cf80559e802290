#include "ui/common/Icons.h"

namespace sweepora {

// Blank until the artwork lands: rows and picker items show their texts only.
QIcon groupIcon(int)
{
    return {};
}

} // namespace sweepora
