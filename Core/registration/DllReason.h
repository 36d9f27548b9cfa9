#pragma once
// The platform's reasons for calling a module's entry point.

namespace Core {

// Platform reasons of an entry-point call.
enum DllReason : unsigned long {
    kProcessDetach = 0,
    kProcessAttach = 1,
    kThreadAttach = 2,
    kThreadDetach = 3,
};

}  // namespace Core
