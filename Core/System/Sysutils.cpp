#include "Core/System/Sysutils.h"

namespace Sysutils {

Exception::~Exception() = default;

}  // namespace Sysutils
