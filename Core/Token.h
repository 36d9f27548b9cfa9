#pragma once
// An owned registration: destroying the token withdraws what it registered.

#include <functional>
#include <utility>

namespace Core {

class Token {
public:
    Token() = default;
    explicit Token(std::function<void()> withdraw) : withdraw_(std::move(withdraw)) {}
    Token(Token&& other) noexcept : withdraw_(std::exchange(other.withdraw_, nullptr)) {}
    Token& operator=(Token&& other) noexcept {
        if (this != &other) {
            reset();
            withdraw_ = std::exchange(other.withdraw_, nullptr);
        }
        return *this;
    }
    Token(const Token&) = delete;
    Token& operator=(const Token&) = delete;
    ~Token() { reset(); }

    // Withdraws the registration now; the token is empty afterwards.
    void reset() noexcept {
        if (auto withdraw = std::exchange(withdraw_, nullptr)) withdraw();
    }
    explicit operator bool() const { return static_cast<bool>(withdraw_); }

private:
    std::function<void()> withdraw_;
};

}  // namespace Core
