#include "Core/Database/Param.h"

#include "Core/tools/IgnoringCase.h"

#include <algorithm>

namespace DBKernel::Sql {

Param& Param::operator=(std::string_view text) {
    if (text.empty()) return set({});
    return set(std::string(text));
}

Param& Param::operator=(double value) { return set(value); }

Param& Param::set(Value value) {
    value_ = std::move(value);
    set_ = true;
    return *this;
}

Param& ParamList::operator[](std::string_view name) {
    const auto found = std::find_if(params_.begin(), params_.end(),
                                    [name](const Param& param) { return Core::equalsIgnoringCase(param.name(), name); });
    return found != params_.end() ? *found : params_.emplace_back(std::string(name));
}

const Param* ParamList::find(std::string_view name) const {
    const auto found = std::find_if(params_.begin(), params_.end(),
                                    [name](const Param& param) { return Core::equalsIgnoringCase(param.name(), name); });
    return found != params_.end() ? &*found : nullptr;
}

}  // namespace DBKernel::Sql
