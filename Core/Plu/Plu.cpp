#include "Core/Plu/Plu.h"

namespace Plu {

TPlu::TPlu(std::string_view text) : TPlu(text, pluConfig()) {}

TPlu::TPlu(std::string_view text, std::shared_ptr<const TPluConfig> config)
    : config_(std::move(config)), code_(config_->canonical(text)) {}

}  // namespace Plu
