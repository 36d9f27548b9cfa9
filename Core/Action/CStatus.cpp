#include "Core/Action/CStatus.h"

namespace Core {

CStatus::~CStatus() = default;

}  // namespace Core
