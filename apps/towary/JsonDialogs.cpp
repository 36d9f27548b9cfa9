#include "apps/towary/JsonDialogs.h"

#include <algorithm>
#include <istream>
#include <ostream>
#include <string>

namespace Towary::Host {
namespace {

const char* alignText(Core::TGridColumn::Align align) {
    switch (align) {
        case Core::TGridColumn::Align::Right: return "right";
        case Core::TGridColumn::Align::Centre: return "centre";
        case Core::TGridColumn::Align::Left: break;
    }
    return "left";
}

nlohmann::json columnsJson(const std::vector<Core::TGridColumn>& columns) {
    nlohmann::json list = nlohmann::json::array();
    for (const auto& column : columns)
        list.push_back({{"key", column.key}, {"caption", column.caption}, {"align", alignText(column.align)}});
    return list;
}

nlohmann::json optionsJson(const std::vector<Core::CCheckBoxOption>& options) {
    nlohmann::json list = nlohmann::json::array();
    for (const auto& option : options)
        list.push_back({{"id", option.id}, {"caption", option.caption}, {"checked", option.checked}});
    return list;
}

const char* kindText(Core::MsgKind kind) { return kind == Core::MsgKind::Warning ? "warning" : "information"; }

}  // namespace

JsonDialogs::JsonDialogs(std::istream& in, std::ostream& out) : in_(in), out_(out) {}

JsonDialogs* JsonDialogs::installed() { return dynamic_cast<JsonDialogs*>(&Core::dialogs()); }

void JsonDialogs::event(const nlohmann::json& line) {
    // Invalid UTF-8 from the store is replaced, so that one bad name cannot break the stream.
    const auto text = line.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
    std::lock_guard lock(writing_);
    out_ << text << '\n' << std::flush;
}

nlohmann::json JsonDialogs::question(nlohmann::json asked) {
    asked["type"] = "question";
    asked["id"] = ++asked_;
    event(asked);
    std::string line;
    if (!std::getline(in_, line)) return nlohmann::json::object();
    auto answer = nlohmann::json::parse(line, nullptr, false);
    return answer.is_object() ? answer : nlohmann::json::object();
}

bool JsonDialogs::answeredYes(const nlohmann::json& answer) const {
    const auto found = answer.find("answer");
    return found != answer.end() && found->is_boolean() && found->get<bool>();
}

void JsonDialogs::tick(const nlohmann::json& answer, std::vector<Core::CCheckBoxOption>& options) const {
    const auto ticked = answer.find("ticked");
    if (ticked == answer.end() || !ticked->is_array()) return;
    for (auto& option : options)
        option.checked = std::find(ticked->begin(), ticked->end(), nlohmann::json(option.id)) != ticked->end();
}

void JsonDialogs::message(Core::MsgKind kind, const std::string& text) {
    event({{"type", "message"}, {"kind", kindText(kind)}, {"text", text}});
}

bool JsonDialogs::ask(const std::string& text) {
    return answeredYes(question({{"dialog", "ask"}, {"text", text}, {"buttons", {"Tak", "Nie"}}}));
}

// The boxes of a message are the reader's choices: left as they stand unless the answer ticks them.
bool JsonDialogs::multiOptions(Core::MsgKind kind, const std::string& text,
                               std::vector<Core::CCheckBoxOption>& options) {
    tick(question({{"dialog", "options"}, {"kind", kindText(kind)}, {"text", text}, {"options", optionsJson(options)},
                   {"buttons", {"OK"}}}),
         options);
    return true;
}

bool JsonDialogs::askWithOptions(const std::string& title, const std::string& text,
                                 std::vector<Core::CCheckBoxOption>& options) {
    const auto answer = question({{"dialog", "ask-options"}, {"title", title}, {"text", text},
                                  {"options", optionsJson(options)}, {"buttons", {"Tak", "Nie"}}});
    if (!answeredYes(answer)) return false;
    tick(answer, options);
    return true;
}

std::optional<std::filesystem::path> JsonDialogs::openFile(const std::string& title) {
    if (givenFile_) return givenFile_;
    const auto answer = question({{"dialog", "file"}, {"title", title}, {"buttons", {"Otwórz", "Anuluj"}}});
    const auto file = answer.find("file");
    if (file == answer.end() || !file->is_string() || file->get<std::string>().empty()) return std::nullopt;
    return std::filesystem::path(file->get<std::string>());
}

bool JsonDialogs::showText(const Core::TBaseTextViewerArgs& args) {
    nlohmann::json viewer{{"dialog", "viewer"},         {"title", args.title},
                          {"description", args.description}, {"identifier", args.identifier},
                          {"text", args.text},          {"fixedPitch", args.fixedPitch},
                          {"buttons", {"OK", "Anuluj"}}};
    if (args.table) viewer["table"] = {{"columns", columnsJson(args.table->columns)}, {"rows", args.table->rows}};
    return answeredYes(question(std::move(viewer)));
}

std::optional<std::size_t> JsonDialogs::chooseRow(const Core::TGridChoiceArgs& args) {
    const auto answer = question({{"dialog", "grid"}, {"caption", args.caption}, {"columns", columnsJson(args.columns)},
                                  {"rows", args.rows}, {"buttons", {"Wybierz", "Anuluj"}}});
    const auto row = answer.find("row");
    if (row == answer.end() || !row->is_number_unsigned() || row->get<std::size_t>() >= args.rows.size())
        return std::nullopt;
    return row->get<std::size_t>();
}

int JsonOutputBuffer::sync() {
    if (!str().empty()) {
        dialogs_.event({{"type", "output"}, {"text", str()}});
        str("");
    }
    return 0;
}

}  // namespace Towary::Host
