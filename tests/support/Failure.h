#pragma once
// The message a call fails with, for tests that pin down exact texts.

#include "Core/UserMessage.h"

#include <exception>
#include <functional>
#include <string>

namespace TestSupport {

// The text of what the call throws as E; "no exception" when it returns.
template <class E = std::exception>
std::string failure(const std::function<void()>& call) {
    try {
        call();
    } catch (const E& e) {
        return e.what();
    }
    return "no exception";
}

// What a user is told of what the call throws as E (Core::userMessage); "no exception" when it returns.
template <class E = std::exception>
std::string toldUser(const std::function<void()>& call) {
    try {
        call();
    } catch (const E& e) {
        return Core::userMessage(e);
    }
    return "no exception";
}

}  // namespace TestSupport
