// Every help page of towary in Polish, as a clerk reads it; the refusals of a
// command line are TowaryCommand's.

#include "tests/support/RunTowary.h"

#include <gtest/gtest.h>

#include <regex>
#include <sstream>

namespace {

// The commands a help page lists under its "Polecenia:" heading.
std::vector<std::string> commandsListed(const std::string& help) {
    std::vector<std::string> names;
    std::istringstream lines(help);
    bool listing = false;
    for (std::string line; std::getline(lines, line);) {
        if (line.empty() || line.back() == ':') listing = line == "Polecenia:";
        else if (std::smatch name; listing && std::regex_search(line, name, std::regex("^  ([a-z0-9-]+)")))
            names.push_back(name[1]);
    }
    return names;
}

// Words of CLI11's own English and of English descriptions; an option's name (--group-of-users) is one word.
// Arguments keep their names in capitals (DIR, TEXT), as the README writes the commands.
const std::regex kEnglish("(^|[^A-Za-z0-9_-])(Usage|Options|Positionals|Subcommands|REQUIRED|INT|Excludes|Needs|Print|the|"
                          "of|and|with|for|default|or)($|[^A-Za-z0-9_-])");

// Checks the help page of the command and, below it, of each command it lists; gives the number it lists.
std::size_t expectPolishHelp(std::vector<std::string> command) {
    command.push_back("--help");
    const auto help = TestSupport::runTowary(command);
    command.pop_back();
    EXPECT_EQ(help.exitCode, 0) << help.err;
    EXPECT_NE(help.out.find("Użycie: towary"), std::string::npos) << help.out;
    EXPECT_FALSE(std::regex_search(help.out, kEnglish)) << help.out;
    const auto listed = commandsListed(help.out);
    for (const auto& name : listed) {
        command.push_back(name);
        expectPolishHelp(command);
        command.pop_back();
    }
    return listed.size();
}

TEST(CommandLineTexts, EveryHelpPageIsPolish) { EXPECT_GT(expectPolishHelp({}), 20u); }

}  // namespace
