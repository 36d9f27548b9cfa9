#pragma once
// A source location handed to the host's logging and registration calls.

#include <string>

namespace Core {

struct SrcInfo {
    std::string file;
    int line = 0;
    std::string function;
};

}  // namespace Core
