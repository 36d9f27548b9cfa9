#include "apps/towary/UsageErrors.h"

#include <string_view>

namespace Towary::Host {
namespace {

// The text after CLI11's fixed words: the argument list of "The following
// arguments were not expected: x y", the reason of "NAME: reason".
std::string after(std::string_view text, std::string_view separator) {
    const auto at = text.find(separator);
    return std::string(at == std::string_view::npos ? text : text.substr(at + separator.size()));
}

// The text before them: NAME of "NAME is required", of "NAME: reason".
std::string before(std::string_view text, std::string_view separator) {
    return std::string(text.substr(0, text.find(separator)));
}

// The argument an ArgumentMismatch names: "NAME: ...", "NAME was given ...",
// "Expected exactly N arguments to NAME, got M".
std::string mismatchedArgument(const std::string& text) {
    const std::string_view to = " arguments to ";
    if (const auto at = text.find(to); text.rfind("Expected", 0) == 0 && at != std::string::npos)
        return before(std::string_view(text).substr(at + to.size()), ", got");
    return before(before(text, ":"), " ");
}

std::string reasonOf(const CLI::ParseError& error, const CLI::App& command) {
    const std::string text = error.what();
    if (dynamic_cast<const CLI::ValidationError*>(&error)) return after(text, ": ");
    if (dynamic_cast<const CLI::ExtrasError*>(&error))
        return "Nieoczekiwane argumenty: " + after(text, "expected: ") + ".";
    if (dynamic_cast<const CLI::RequiredError*>(&error)) {
        const auto name = before(text, " is required");
        if (name == "A subcommand") {
            const auto unknown = command.remaining();
            return unknown.empty() ? "Brak polecenia: podaj jedno z poleceń."
                                   : "Nieznane polecenie: " + unknown.front() + ".";
        }
        if (name != text) return "Brak wymaganego argumentu " + name + ".";
        return "Brak wymaganego argumentu.";
    }
    if (dynamic_cast<const CLI::ArgumentMismatch*>(&error))
        return "Argument " + mismatchedArgument(text) + " ma złą liczbę wartości (czy po nim podano wartość?).";
    if (dynamic_cast<const CLI::ConversionError*>(&error)) {
        if (text.rfind("Could not convert: ", 0) == 0)
            return "Argument " + before(after(text, "convert: "), " = ") + ": nieprawidłowa wartość " +
                   after(text, " = ") + ".";
        return "Argument " + before(text, ":") + ": nieprawidłowa wartość.";
    }
    if (dynamic_cast<const CLI::ExcludesError*>(&error))
        return "Argumentów " + before(text, " excludes ") + " i " + after(text, " excludes ") +
               " nie można podać razem.";
    if (dynamic_cast<const CLI::RequiresError*>(&error))
        return "Argument " + before(text, " requires ") + " wymaga argumentu " + after(text, " requires ") + ".";
    return "Nieprawidłowe wywołanie polecenia.";
}

// The last of the commands the line named before the error.
const CLI::App& commandOf(const CLI::App& app) {
    const CLI::App* command = &app;
    while (!command->get_subcommands().empty()) command = command->get_subcommands().front();
    return *command;
}

// "towary products import": the command's name with the groups it is in.
std::string nameOf(const CLI::App& command) {
    return command.get_parent() ? nameOf(*command.get_parent()) + " " + command.get_name() : "towary";
}

}  // namespace

std::string usageMessage(const CLI::ParseError& error, const CLI::App& app) {
    const auto& command = commandOf(app);
    return "towary: " + reasonOf(error, command) + "\nJak wywołać polecenie, pokazuje: " + nameOf(command) +
           " --help\n";
}

}  // namespace Towary::Host
