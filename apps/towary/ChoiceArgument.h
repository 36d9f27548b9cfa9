#pragma once
// Arguments that take one of a few words (sale|purchase): a CLI11 validator
// that refuses any other word as bad usage, in Polish, naming the words it
// takes; CLI::IsMember says so in English.

#include <CLI/CLI.hpp>

#include <string>
#include <vector>

namespace Towary::Host {

// `what` names the argument in the reason: "Rodzaj warunku".
CLI::Validator choiceArgument(const std::string& what, const std::vector<std::string>& choices);

}  // namespace Towary::Host
