#include "apps/web/PageDialogs.h"

#include "apps/towary/JsonDialogs.h"
#include "apps/web/Replies.h"

namespace Towary::Web {
namespace {

// More answers than any of the windows' commands asks questions.
constexpr std::size_t kMostAnswers = 8;

std::string answerLines(const nlohmann::json& body, std::size_t& count) {
    const auto found = body.find("answers");
    if (found == body.end()) return {};
    if (!found->is_array() || found->size() > kMostAnswers)
        throw Refused(http::status::bad_request, "Odpowiedzi na pytania okna podaje się jako listę.");
    std::string lines;
    for (const auto& answer : *found) {
        if (!answer.is_object())
            throw Refused(http::status::bad_request, "Każda odpowiedź na pytanie okna jest obiektem JSON.");
        lines += answer.dump() + '\n';
    }
    count = found->size();
    return lines;
}

}  // namespace

PageDialogs::PageDialogs(const nlohmann::json& body)
    : answers_(answerLines(body, answered_)),
      previous_(Core::setDialogs(std::make_shared<Host::JsonDialogs>(answers_, shown_))) {}

PageDialogs::~PageDialogs() { Core::setDialogs(previous_); }

std::vector<nlohmann::json> PageDialogs::shown() const {
    std::vector<nlohmann::json> lines;
    std::istringstream written(shown_.str());
    for (std::string line; std::getline(written, line);) lines.push_back(nlohmann::json::parse(line));
    return lines;
}

nlohmann::json PageDialogs::unanswered() const {
    std::size_t asked = 0;
    for (auto& line : shown())
        if (line["type"] == "question" && ++asked > answered_) return line;
    return nullptr;
}

std::vector<std::string> PageDialogs::messages() const {
    std::vector<std::string> texts;
    for (const auto& line : shown())
        if (line["type"] == "message") texts.push_back(line["text"]);
    return texts;
}

}  // namespace Towary::Web
