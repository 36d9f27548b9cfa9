#pragma once
// Day arguments of the towary commands: a CLI11 validator that refuses, as
// bad usage with the reason, anything but a date written RRRR-MM-DD, so that
// every command refuses a mistyped day in the same words and with the same
// exit code; and the day number of a text it accepted.

#include <CLI/CLI.hpp>

#include <string>

namespace Towary::Host {

CLI::Validator dayArgument();

// The day number of an accepted day; today's for an option not given ("").
int dayOfArgument(const std::string& text);

}  // namespace Towary::Host
