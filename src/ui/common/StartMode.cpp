#include "ui/common/StartMode.h"

namespace sweepora {

QString StartMode;

} // namespace sweepora
