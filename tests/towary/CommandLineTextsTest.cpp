// What towary writes of its command line, as a clerk reads it: every help page
// and refusal in Polish, a mistyped day refused as bad usage by every
// command, and the main command's options taken after the command too.

#include "tests/support/TowaryStore.h"

#include <regex>
#include <set>
#include <sstream>

namespace {

using TestSupport::runTowary;

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
std::set<std::string> englishWords(const std::string& help) {
    static const std::set<std::string> english{"Usage", "Options", "Positionals", "Subcommands", "REQUIRED", "INT",
                                               "Excludes", "Needs", "Print", "the", "of", "and", "with", "for",
                                               "default", "or"};
    std::set<std::string> found;
    const std::regex word("[A-Za-z][A-Za-z0-9_-]*");
    for (auto it = std::sregex_iterator(help.begin(), help.end(), word); it != std::sregex_iterator(); ++it)
        if (english.count(it->str())) found.insert(it->str());
    return found;
}

void expectPolishHelp(const std::vector<std::string>& command) {
    auto args = command;
    args.push_back("--help");
    const auto help = runTowary(args);
    ASSERT_EQ(help.exitCode, 0) << help.err;
    EXPECT_NE(help.out.find("Użycie: towary"), std::string::npos) << help.out;
    EXPECT_EQ(englishWords(help.out), std::set<std::string>()) << help.out;
    for (const auto& name : commandsListed(help.out)) {
        auto sub = command;
        sub.push_back(name);
        expectPolishHelp(sub);
    }
}

TEST(CommandLineTexts, EveryHelpPageIsPolish) {
    const auto top = runTowary({"--help"});
    EXPECT_GT(commandsListed(top.out).size(), 20u) << top.out;
    expectPolishHelp({});
}

class CommandLine : public TestSupport::TowaryStore {};

TEST_F(CommandLine, RefusalsArePolishAndAMistypedDayIsBadUsageEverywhere) {
    expectBadUsage(run("rights", {"sql", "1", "--writer", "bogus"}),
                   "Warunek \"bogus\" nie jest żadną z wartości: visible, avail, not-avail, items, where.");
    expectBadUsage(run("rules", {"duration", "foo"}), "Rodzaj warunku \"foo\" nie jest żadną z wartości: sale, purchase.");
    const std::string badDay = "Nieprawidłowa data: \"2011-02-30\". Datę podaje się jako RRRR-MM-DD.";
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"status", "plan", dir_, "24", "6", "2011-02-30"},
             {"vat", "apply", dir_, "--day", "2011-02-30"},
             {"name", "short", dir_, "Woda", "13", "--day", "2011-02-30"},
             {"evening", dir_, "--day", "2011-02-30"},
             {"price", "current", dir_, "1", "--day", "2011-02-30"},
             {"rules", "max-end", dir_, "2011-02-30"},
             {"rules", "hq-promotion-overlap", dir_, "1", "2011-01-01", "2011-02-30"}})
        expectBadUsage(runTowary(args), badDay);
}

TEST_F(CommandLine, TheMainCommandsOptionsFollowTheCommandToo) {
    expectOutput(runTowary({"vat", "pending", dir_, "--yes", "--user", "1"}), "Brak zaplanowanych zmian stawek VAT.\n");
    expectBadUsage(runTowary({"vat", "pending", dir_, "--user", "0"}),
                   "Identyfikator użytkownika \"0\": dozwolone wartości od 1 do 2147483647.");
}

}  // namespace
