#include "apps/towary/HelpFormatter.h"

#include <memory>
#include <sstream>
#include <string>

namespace Towary::Host {
namespace {

// The words CLI11 writes by their label, and the names of the value types an
// option shows (a validator's description follows a type after ":").
class PolishFormatter : public CLI::Formatter {
public:
    PolishFormatter() {
        label("Usage", "Użycie");
        label("OPTIONS", "OPCJE");
        label("SUBCOMMAND", "POLECENIE");
        label("SUBCOMMANDS", "POLECENIA");
        label("Positionals", "Argumenty");
        label("REQUIRED", "(wymagany)");
        label("Needs", "Wymaga");
        label("Excludes", "Wyklucza");
        label("TEXT", "TEKST");
        label("INT", "LICZBA");
        label("UINT", "LICZBA");
        label("FLOAT", "LICZBA");
    }

    // The description alone: CLI11 appends English notes on required options, which no command uses.
    std::string make_description(const CLI::App* app) const override {
        const std::string description = app->get_description();
        return description.empty() ? std::string() : description + "\n";
    }

    // As CLI11 writes it, with the type's name in Polish.
    std::string make_option_opts(const CLI::Option* option) const override {
        if (!option->get_option_text().empty()) return " " + option->get_option_text();
        std::ostringstream out;
        if (option->get_type_size() != 0) {
            if (const std::string type = option->get_type_name(); !type.empty()) {
                const auto colon = type.find(':');
                out << " " << get_label(type.substr(0, colon))
                    << (colon == std::string::npos ? "" : type.substr(colon));
            }
            if (!option->get_default_str().empty()) out << "=" << option->get_default_str();
            if (option->get_expected_max() == CLI::detail::expected_max_vector_size)
                out << " ...";
            else if (option->get_expected_min() > 1)
                out << " x " << option->get_expected();
            if (option->get_required()) out << " " << get_label("REQUIRED");
        }
        if (!option->get_needs().empty()) {
            out << " " << get_label("Needs") << ":";
            for (const CLI::Option* needed : option->get_needs()) out << " " << needed->get_name();
        }
        if (!option->get_excludes().empty()) {
            out << " " << get_label("Excludes") << ":";
            for (const CLI::Option* excluded : option->get_excludes()) out << " " << excluded->get_name();
        }
        return out.str();
    }
};

}  // namespace

namespace {

void usePolishHelpOn(CLI::App& command, const std::shared_ptr<PolishFormatter>& formatter) {
    command.formatter(formatter);
    // CLI11 gives a command its help flag before it takes its parent's defaults, so each is set here.
    command.get_help_ptr()->description("pokazuje tę pomoc i kończy pracę");
    for (CLI::Option* option : command.get_options())
        if (option->get_group() == "Options") option->group("Opcje");
    for (CLI::App* subcommand : command.get_subcommands({})) {
        subcommand->group("Polecenia");
        usePolishHelpOn(*subcommand, formatter);
    }
}

}  // namespace

void usePolishHelp(CLI::App& app) { usePolishHelpOn(app, std::make_shared<PolishFormatter>()); }

}  // namespace Towary::Host
