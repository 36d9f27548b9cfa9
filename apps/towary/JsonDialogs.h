#pragma once
// The dialogs of `towary --dialogs json`, for a program that runs a command
// for a user elsewhere (the web host relays them to a browser): every
// message, question, viewer, grid and file choice is one JSON line on
// standard output, and every question waits for one JSON line of answer on
// standard input. Standard input at its end, or a line that is no answer,
// answers as the module's "no": the question declined, the viewer and the
// grid cancelled, no file. What a command reports as it goes (its steps, its
// output, its end) is a line of the same stream.
//
// Lines written: {"type":"message","kind":"warning"|"information","text"}
//   {"type":"question","id":N,"dialog":"ask"|"viewer"|"options"|"ask-options"|"file"|"grid",...}
//   {"type":"step",...}, {"type":"output","text"}, {"type":"end","ok","text"}
// Answers read: {"answer":true|false,"ticked":[ids]}, {"row":N|null}, {"file":"path"|null}

#include "Core/Dialogs/Dialogs.h"

#include <nlohmann/json.hpp>

#include <iosfwd>
#include <mutex>
#include <optional>
#include <sstream>

namespace Towary::Host {

class JsonDialogs : public Core::IDialogs {
public:
    JsonDialogs(std::istream& in, std::ostream& out);

    // The installed dialogs when they are these, else none: a command tells
    // what it does as it goes only to a program that reads it.
    static JsonDialogs* installed();

    // Writes one line.
    void event(const nlohmann::json& line);

    void message(Core::MsgKind kind, const std::string& text) override;
    bool ask(const std::string& text) override;
    bool multiOptions(Core::MsgKind kind, const std::string& text,
                      std::vector<Core::CCheckBoxOption>& options) override;
    bool askWithOptions(const std::string& title, const std::string& text,
                        std::vector<Core::CCheckBoxOption>& options) override;
    std::optional<std::filesystem::path> openFile(const std::string& title) override;
    bool showText(const Core::TBaseTextViewerArgs& args) override;
    std::optional<std::size_t> chooseRow(const Core::TGridChoiceArgs& args) override;

    // The file a command's line names: the open-file dialog takes it without asking.
    void giveFile(std::filesystem::path file) { givenFile_ = std::move(file); }

private:
    // Writes the question and reads its answer; an empty object for none.
    nlohmann::json question(nlohmann::json asked);
    bool answeredYes(const nlohmann::json& answer) const;
    void tick(const nlohmann::json& answer, std::vector<Core::CCheckBoxOption>& options) const;

    std::istream& in_;
    std::ostream& out_;
    std::mutex writing_;
    int asked_ = 0;
    std::optional<std::filesystem::path> givenFile_;
};

// The command's printed result as lines of the stream: what it wrote goes as
// one "output" line at each flush, so that the reader sees a report before
// the question that follows it (a list's summary before "Zachować zmiany?").
class JsonOutputBuffer : public std::stringbuf {
public:
    explicit JsonOutputBuffer(JsonDialogs& dialogs) : dialogs_(dialogs) {}

protected:
    int sync() override;

private:
    JsonDialogs& dialogs_;
};

}  // namespace Towary::Host
