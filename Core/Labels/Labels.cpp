#include "Core/Labels/Labels.h"

#include <boost/format.hpp>

#include <stdexcept>

namespace Labels {
namespace {

// Reads the text of the feature text from `at`, the opening quote included,
// and moves `at` past the closing quote.
std::string readQuoted(const std::string& text, std::size_t& at) {
    auto fail = [&](const char* what) {
        throw std::runtime_error(
            (boost::format("Niepoprawny tekst cech etykiety (znak %1%): %2%.") % (at + 1) % what).str());
    };
    if (at >= text.size() || text[at] != '"') fail("oczekiwano cudzysłowu");
    std::string read;
    for (++at; at < text.size(); ++at) {
        if (text[at] == '"') {
            ++at;
            return read;
        }
        if (text[at] == '\\' && ++at == text.size()) break;
        read += text[at];
    }
    fail("brak zamykającego cudzysłowu");
    return read;
}

void expect(const std::string& text, std::size_t& at, const std::string& what) {
    if (text.compare(at, what.size(), what) != 0)
        throw std::runtime_error((boost::format("Niepoprawny tekst cech etykiety (znak %1%): oczekiwano „%2%”.") %
                                  (at + 1) % what)
                                     .str());
    at += what.size();
}

}  // namespace

std::string formatPrice(const std::optional<Core::Price>& price) { return price ? price->toString() : ""; }

std::string escapeFeature(const std::string& text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (const char c : text) {
        if (c == '\\' || c == '"' || c == ',') escaped += '\\';
        escaped += c;
    }
    return escaped;
}

std::vector<std::pair<std::string, std::string>> readFeatures(const std::string& text) {
    std::vector<std::pair<std::string, std::string>> features;
    std::size_t at = 0;
    while (at < text.size()) {
        if (!features.empty()) expect(text, at, ", ");
        auto name = readQuoted(text, at);
        expect(text, at, " = ");
        features.emplace_back(std::move(name), readQuoted(text, at));
    }
    return features;
}

}  // namespace Labels
