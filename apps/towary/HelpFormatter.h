#pragma once
// towary's help pages in Polish. CLI11 lays a help page out with fixed
// English words (Usage, Options, Subcommands, REQUIRED, TEXT, Excludes, the
// help flag's own description); usePolishHelp gives the command line a
// formatter and defaults that say them in Polish. It must be called on the
// main command before any option or command is added: commands and options
// take these defaults when they are made.

#include <CLI/CLI.hpp>

namespace Towary::Host {

void usePolishHelp(CLI::App& app);

}  // namespace Towary::Host
