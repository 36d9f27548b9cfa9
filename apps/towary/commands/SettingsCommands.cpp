// towary settings get|set|list DIR ...: the store's settings, read as the
// module reads them and written the way the host writes them.

#include "Core/Setup/SettingsWriter.h"
#include "Core/Setup/Setup.h"
#include "Core/Singleton/SingletonImplHolder.h"
#include "Core/tools/Numbers.h"
#include "apps/towary/Command.h"

#include <boost/algorithm/string/join.hpp>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <memory>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <system_error>
#include <variant>
#include <vector>

namespace Towary::Host {
namespace {

struct SettingsOptions {
    std::string path;
    std::string value;
    std::string type;  // "" when not given
};

Core::CSetup& setup() { return Core::SingletonImplHolder::get<Core::CSetup>(); }

Orvel::TKey keyAt(const std::string& path) { return setup().GetRootKey().GetSubKey(Orvel::splitPath(path)); }

// The value as `get` prints it: text as it is, anything else as the file writes it.
std::string plainText(const Orvel::TValue& value) {
    if (const auto* text = std::get_if<std::string>(&value)) return *text;
    return Core::Setup::valueText(value);
}

// Reads the key as a module would read it with GetVal of that type.
Orvel::TValue typedRead(const Orvel::TKey& key, const std::string& type) {
    if (type == "int") return key.GetVal<int>();
    if (type == "double") return key.GetVal<double>();
    if (type == "bool") return key.GetVal<bool>();
    if (type == "AnsiString") return std::string(key.GetVal<System::AnsiString>());
    return key.GetVal<std::string>();
}

std::optional<bool> flag(const std::string& text) {
    if (text == "true") return true;
    if (text == "false") return false;
    return std::nullopt;
}

// The value of `set`: of the type asked for, or else the first of int,
// double and bool that reads the whole text, or else the text itself.
Orvel::TValue parsedValue(const std::string& text, const std::string& type) {
    if (type == "string") return text;
    if (type == "int" || type.empty()) {
        if (auto number = Core::parseNumber<int>(text)) return *number;
        // A whole number too big for int is a mistake, not a double the user meant.
        if (Core::parseNumber<long long>(text))
            throw std::runtime_error("Liczba " + text + " nie mieści się w zakresie typu int.");
    }
    if (type == "double" || type.empty())
        if (auto number = Core::parseNumber<double>(text)) return *number;
    if (type == "bool" || type.empty())
        if (auto value = flag(text)) return *value;
    if (type == "int") throw std::runtime_error("Wartość \"" + text + "\" nie jest liczbą całkowitą (int).");
    if (type == "double") throw std::runtime_error("Wartość \"" + text + "\" nie jest liczbą (double).");
    if (type == "bool") throw std::runtime_error("Wartość \"" + text + "\" nie jest wartością logiczną (true, false).");
    return text;
}

// The value's type under the name `--type` takes, so that a listed entry can be
// read and written back with the type it shows.
std::string typeOption(const Orvel::TValue& value) {
    return std::holds_alternative<std::string>(value) ? "string" : Orvel::valueTypeName(value);
}

std::string entry(const std::string& path, const Orvel::TValue& value) {
    return path + " = " + Core::Setup::valueText(value) + " (" + typeOption(value) + ")\n";
}

// Lists the key and every key below it that holds a value; returns how many.
std::size_t list(std::ostream& out, const Orvel::TKey& key) {
    std::size_t listed = 0;
    const Orvel::TRep rep = key.GetRep();
    if (!rep.empty()) {
        out << entry(rep.strPath, rep.Value);
        ++listed;
    }
    for (const Orvel::TKey& child : key) listed += list(out, child);
    return listed;
}

void addPathArgument(CLI::App& command, SettingsOptions& options) {
    command.add_option("PATH", options.path, "ścieżka klucza: nazwy połączone \" / \", np. \"Parametry programu / Towary\"")
        ->required();
}

// --type: one of the names of the settings file's value types.
CLI::Validator typeArgument(const std::vector<std::string>& names) {
    return CLI::Validator(
        [names](std::string& text) -> std::string {
            if (std::find(names.begin(), names.end(), text) != names.end()) return {};
            return "Typ \"" + text + "\": dozwolone typy to " + boost::algorithm::join(names, ", ") + ".";
        },
        "", "type");
}

}  // namespace

void addSettingsCommands(CLI::App& app, Context& context) {
    auto* settings = app.add_subcommand("settings", "odczytuje i zmienia ustawienia sklepu (DIR/towary.toml)");
    settings->require_subcommand(1);
    auto options = std::make_shared<SettingsOptions>();

    auto* get = settings->add_subcommand("get", "wypisuje wartość klucza PATH");
    addStoreArgument(*get, context);
    addPathArgument(*get, *options);
    get->add_option("--type", options->type, "odczytuje jako ten typ; gdy klucz ma inny, zgłasza błąd jak moduł")
        ->check(typeArgument({"int", "double", "bool", "string", "AnsiString"}));
    get->callback([&context, options] {
        context.job = [options](std::ostream& out) {
            const Orvel::TKey key = keyAt(options->path);
            const Orvel::TRep rep = key.GetRep();
            // Without --type the stored type is read; a key without a value fails as a text read does.
            const Orvel::TValue value =
                options->type.empty() && !rep.empty() ? rep.Value : typedRead(key, options->type);
            out << plainText(value) << '\n';
        };
    });

    auto* set = settings->add_subcommand("set", "ustawia klucz PATH na VALUE, w razie potrzeby go zakładając");
    addStoreArgument(*set, context);
    addPathArgument(*set, *options);
    set->add_option("VALUE", options->value, "wartość; liczba i true/false zapisują się jako liczba i wartość logiczna, chyba że --type mówi inaczej")
        ->required();
    set->add_option("--type", options->type, "zapisuje wartość jako ten typ")
        ->check(typeArgument({"int", "double", "bool", "string"}));
    set->callback([&context, options] {
        context.job = [options](std::ostream& out) {
            const auto path = Orvel::splitPath(options->path);
            const Orvel::TValue value = parsedValue(options->value, options->type);
            Core::Setup::writeSetting(setup().file(), path, value);
            out << entry(Orvel::pathText(path), value);
        };
    });

    auto* listCommand = settings->add_subcommand("list", "wypisuje każdy klucz pod PATH (bez PATH: wszystkie klucze)");
    addStoreArgument(*listCommand, context);
    listCommand->add_option("PATH", options->path, "ścieżka klucza: nazwy połączone \" / \"");
    listCommand->callback([&context, options] {
        context.job = [options](std::ostream& out) {
            if (list(out, keyAt(options->path)) == 0)
                throw std::runtime_error(options->path.empty()
                                             ? "Plik ustawień nie zawiera żadnego ustawienia."
                                             : "Pod kluczem " + Orvel::pathText(Orvel::splitPath(options->path)) +
                                                   " nie ma żadnego ustawienia.");
        };
    });
}

}  // namespace Towary::Host
