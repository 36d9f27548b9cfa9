#pragma once
// Readable names of C++ types for messages: "int", "std::string", not the
// compiler's mangled or fully expanded spelling.

#include <string>
#include <typeindex>

namespace Core {

std::string typeName(std::type_index type);

template <class T>
std::string typeName() {
    return typeName(std::type_index(typeid(T)));
}

}  // namespace Core
