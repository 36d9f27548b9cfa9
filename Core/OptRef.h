#pragma once
// Core::OptRef: a row id that may be absent (a lookup that found nothing).

#include <boost/optional.hpp>

#include <cstdint>

namespace Core {

using OptRef = boost::optional<std::int64_t>;

}  // namespace Core
