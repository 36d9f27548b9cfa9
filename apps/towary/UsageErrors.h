#pragma once
// What towary says of a command line it cannot take. CLI11 words its parse
// errors in English; the host tells a user in Polish what was wrong and which
// help to read, judging the error by its class. The checks of the commands'
// own arguments are already worded in Polish and keep their text.

#include <CLI/CLI.hpp>

#include <string>

namespace Towary::Host {

// The lines to print for the error: the reason, then "towary COMMAND --help"
// for the command the line got as far as.
std::string usageMessage(const CLI::ParseError& error, const CLI::App& app);

}  // namespace Towary::Host
