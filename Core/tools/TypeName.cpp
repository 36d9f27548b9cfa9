#include "Core/tools/TypeName.h"

#include <cxxabi.h>

#include <cstdlib>
#include <memory>

namespace Core {

std::string typeName(std::type_index type) {
    if (type == typeid(std::string)) return "std::string";
    int status = 0;
    std::unique_ptr<char, decltype(&std::free)> demangled(
        abi::__cxa_demangle(type.name(), nullptr, nullptr, &status), &std::free);
    return status == 0 && demangled ? demangled.get() : type.name();
}

}  // namespace Core
