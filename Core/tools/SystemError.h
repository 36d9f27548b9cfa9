#pragma once
// What a failed system call means, in Polish words a user can act on: the
// system's own texts (strerror) are English and must not reach the user.

#include <string>

namespace Core {

// The reason behind an errno value: "brak miejsca na dysku", "brak uprawnień", ...
std::string systemErrorText(int error);

}  // namespace Core
