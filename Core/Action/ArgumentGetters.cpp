#include "Core/Action/ArgumentGetters.h"

namespace DBKernel {
ISessionHolderGetter::~ISessionHolderGetter() = default;
}  // namespace DBKernel

namespace Core {
IDateGetter::~IDateGetter() = default;
IOStreamGetter::~IOStreamGetter() = default;
IStatusGetter::~IStatusGetter() = default;
}  // namespace Core
