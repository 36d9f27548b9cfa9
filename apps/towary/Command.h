#pragma once
// How the towary host's commands are declared: each group adds its
// subcommands to the command line; the chosen command leaves a job that
// the host runs once the module is loaded and the store is set.

#include <CLI/CLI.hpp>

#include <filesystem>
#include <functional>
#include <iosfwd>
#include <string>

namespace Towary::Host {

// What a command needs from the host while it runs.
struct Context {
    std::filesystem::path store;  // the store directory of the command
    bool storeRequired = true;    // false for commands that take no store
    bool newStore = false;        // the command makes the store (init, demo, generate)
    std::function<void(std::ostream& out)> job;
};

// Adds the store directory argument, the first of every store command.
void addStoreArgument(CLI::App& command, Context& context);
// --database URI: the new store's database on a PostgreSQL server instead of a file in DIR.
void addDatabaseOption(CLI::App& command, std::string& server);

// A file a command reads or writes (`kind`: "plik towarów") is never one of
// the store's own files: writing it would replace the store, and reading the
// database through a descriptor of this process would drop the locks its
// connections hold (docs/database.md). Throws std::runtime_error, in Polish.
void refuseStoreFile(const std::filesystem::path& file, const std::string& kind);

// Each group of commands adds itself to the command line.
void addInitCommand(CLI::App& app, Context& context);
void addActionsCommand(CLI::App& app, Context& context);
void addDemoCommand(CLI::App& app, Context& context);
void addFindCommand(CLI::App& app, Context& context);
void addGenerateCommand(CLI::App& app, Context& context);
void addProductsCommands(CLI::App& app, Context& context);
void addSettingsCommands(CLI::App& app, Context& context);
void addSqlCommand(CLI::App& app, Context& context);
void addMigrateCommand(CLI::App& app, Context& context);
void addIndexCommands(CLI::App& app, Context& context);
void addPriceCommands(CLI::App& app, Context& context);
void addEveningCommand(CLI::App& app, Context& context);
void addPluCommands(CLI::App& app, Context& context);
void addRightsCommand(CLI::App& app, Context& context);
void addScaleCommands(CLI::App& app, Context& context);
void addStatusCommands(CLI::App& app, Context& context);
void addConditionsCommands(CLI::App& app, Context& context);
void addMultipriceCommands(CLI::App& app, Context& context);
void addRulesCommands(CLI::App& app, Context& context);
void addOrderCommands(CLI::App& app, Context& context);
void addClassificationCommands(CLI::App& app, Context& context);
// towary price current, before-promotion, alternatives and discount, added by addPriceCommands to its group.
void addPricesOfADayCommands(CLI::App& price, Context& context);
void addLabelsCommands(CLI::App& app, Context& context);
void addRegisterCommands(CLI::App& app, Context& context);
void addReasonsCommands(CLI::App& app, Context& context);
void addCommissionCommands(CLI::App& app, Context& context);
// towary vat plan, apply, import and pending; towary name short.
void addVatCommands(CLI::App& app, Context& context);
void addNameCommands(CLI::App& app, Context& context);
// towary users password: a clerk's password for the web host.
void addUsersCommands(CLI::App& app, Context& context);
// towary serve: the web host over the store.
void addServeCommand(CLI::App& app, Context& context);
// towary plu special, added by addPluCommands to its group.
void addPluPriceCodeCommand(CLI::App& plu, Context& context);

}  // namespace Towary::Host
