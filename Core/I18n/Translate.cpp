#include "Core/I18n/Translate.h"

#include <utility>

namespace Core::I18n {
namespace {

Translation& installed() {
    static Translation translation;
    return translation;
}

}  // namespace

std::string translate(const std::string& text) {
    const auto& translation = installed();
    return translation ? translation(text) : text;
}

Token installTranslation(Translation translation) {
    auto previous = std::exchange(installed(), std::move(translation));
    return Token([previous = std::move(previous)]() mutable { installed() = std::move(previous); });
}

}  // namespace Core::I18n
