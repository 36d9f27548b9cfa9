#include "Core/VisualComponents/ValidateException.h"

namespace Core::VisualComponents {

TValidateException::~TValidateException() = default;

}  // namespace Core::VisualComponents
