#pragma once
// Orvel::Dao::Parameters: the named switches a caller hands a data-access
// object's load, as "lockForUpdate"; a switch not set is off.

#include <map>
#include <string>
#include <string_view>

namespace Orvel::Dao {

class Parameters {
public:
    Parameters& set(std::string name, bool value) {
        switches_[std::move(name)] = value;
        return *this;
    }
    bool isSet(std::string_view name) const {
        const auto found = switches_.find(name);
        return found != switches_.end() && found->second;
    }

private:
    std::map<std::string, bool, std::less<>> switches_;
};

}  // namespace Orvel::Dao
