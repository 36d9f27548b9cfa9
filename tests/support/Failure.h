#pragma once
// The message a call fails with, for tests that pin down exact texts.

#include "Core/UserMessage.h"

#include <exception>
#include <functional>
#include <string>

namespace TestSupport {

// What `describe` makes of what the call throws as E; "no exception" when it returns.
template <class E, class Describe>
std::string caught(const std::function<void()>& call, Describe describe) {
    try {
        call();
    } catch (const E& e) {
        return describe(e);
    }
    return "no exception";
}

// The text of what the call throws as E; "no exception" when it returns.
template <class E = std::exception>
std::string failure(const std::function<void()>& call) {
    return caught<E>(call, [](const E& e) { return std::string(e.what()); });
}

// What a user is told of what the call throws as E (Core::userMessage); "no exception" when it returns.
template <class E = std::exception>
std::string toldUser(const std::function<void()>& call) {
    return caught<E>(call, [](const E& e) { return Core::userMessage(e); });
}

}  // namespace TestSupport
