// towary index ...: the product hierarchy of the store as the module sees it,
// for a store manager checking and planning group and article indexes.
// Every command reads all it needs before it prints, so a failure prints
// nothing but its message.

#include "Core/tools/Utf8.h"
#include "Modules/Towary/Tools/index/ArtIndexGenerator.h"
#include "Modules/Towary/Tools/index/GroupIndexGenerator.h"
#include "Modules/Towary/Tools/index/GroupIndexSplitter.h"
#include "Modules/Towary/Tools/index/HierarchyLevels.h"
#include "apps/towary/Command.h"
#include "apps/towary/IndexReports.h"
#include "apps/towary/NumberArgument.h"

#include <memory>
#include <ostream>
#include <vector>

namespace Towary::Host {
namespace {

struct IndexOptions {
    std::string index;
    int code = 0;
};

std::string levelText(Towar::TowarCode code) {
    return "Poziom " + std::to_string(static_cast<int>(code)) + " (" + Towar::getHierarchyLevelDisplayName(code) + ")";
}

void printLengths(std::ostream& out, Towar::TowarCode code) {
    if (code == Towar::tcTowar) {
        const int length = Towar::getIndexLength(code);
        out << "Długość indeksu artykułu: " << length << '\n';
        return;
    }
    const std::string text = levelText(code);
    const int segment = Towar::getIndexLength(code);
    const int full = Towar::getFullIndexLength(code);
    out << text << "\nDługość segmentu: " << segment << "\nDługość indeksu grupy: " << full << '\n';
}

CLI::App* indexCommand(CLI::App& group, Context& context, const std::string& name, const std::string& description,
                       std::string& index) {
    auto* command = group.add_subcommand(name, description);
    addStoreArgument(*command, context);
    command->add_option("INDEX", index, "group index (sGrIndex)")->required();
    return command;
}

}  // namespace

void printSplit(std::ostream& out, const std::string& index) {
    const Towar::GroupIndexSplitter splitter;
    const auto segments = splitter.split(index);
    const auto ancestors = splitter.incSplit(index);
    std::vector<std::string> levels;
    for (Towar::TowarCode code = Towar::tcDepartament; levels.size() < segments.size();
         code = Towar::getNextTowarCode(code))
        levels.push_back(levelText(code));
    for (std::size_t k = 0; k < segments.size(); ++k)
        out << levels[k] << ": segment " << segments[k] << ", indeks " << ancestors[k] << '\n';
    if (!ancestors.empty() && ancestors.back().size() < index.size())
        out << "Pominięto znaki za ostatnim poziomem: " << index.substr(ancestors.back().size()) << '\n';
}

void printLevel(std::ostream& out, const std::string& index) {
    const Towar::TowarCode code = Towar::getTowarCodefromIndex(index);
    if (code == Towar::tcBrak) {
        const int first = Towar::getIndexLength(Towar::tcDepartament);
        out << "Poziom 0 (brak): indeks krótszy niż indeks poziomu 1 (długość " << first << ")\n";
        return;
    }
    const std::string text = levelText(code);
    const int full = Towar::getFullIndexLength(code);
    out << text << '\n';
    const std::size_t length = Core::Utf8::length(index);
    if (static_cast<std::size_t>(full) != length)
        out << "Uwaga: indeks grupy tego poziomu ma długość " << full << ", podany ma długość " << length << '\n';
}

void addIndexCommands(CLI::App& app, Context& context) {
    auto* group = app.add_subcommand("index", "the product hierarchy: group and article indexes");
    group->require_subcommand(1);
    auto options = std::make_shared<IndexOptions>();

    indexCommand(*group, context, "split", "the level segments of a group index and its ancestors", options->index)
        ->callback([&context, options] {
            context.job = [options](std::ostream& out) { printSplit(out, options->index); };
        });

    indexCommand(*group, context, "level", "the hierarchy level of an index and its name", options->index)
        ->callback([&context, options] {
            context.job = [options](std::ostream& out) { printLevel(out, options->index); };
        });

    indexCommand(*group, context, "parent", "the index of a group's parent group", options->index)
        ->callback([&context, options] {
            context.job = [options](std::ostream& out) {
                out << Core::Utf8::substr(options->index, 0, Towar::previousIndexLength(options->index)) << '\n';
            };
        });

    indexCommand(*group, context, "child-length", "the length of the index of a group's child group", options->index)
        ->callback([&context, options] {
            context.job = [options](std::ostream& out) {
                out << Towar::GroupIndexSplitter().nextLevelLength(options->index) << '\n';
            };
        });

    auto* nextGroup = group->add_subcommand("next-group", "the index of a new child group (no PARENT: a new department)");
    addStoreArgument(*nextGroup, context);
    nextGroup->add_option("PARENT", options->index, "the parent group's index");
    nextGroup->callback([&context, options] {
        context.job = [options](std::ostream& out) {
            out << Towar::GroupIndexGenerator::instance().genIndex(options->index, TSessionHolder()) << '\n';
        };
    });

    auto* nextArticle = group->add_subcommand("next-article", "a free article index for a new product");
    addStoreArgument(*nextArticle, context);
    nextArticle->callback([&context] {
        context.job = [](std::ostream& out) {
            auto& generator = Towar::ArtIndexGenerator::instance();
            out << generator.genIndex(TSessionHolder(), generator.getLastGeneratedIndex()) << '\n';
        };
    });

    auto* lengthCommand = group->add_subcommand("length", "the index lengths of a hierarchy code (1-5 groups, 6 articles)");
    addStoreArgument(*lengthCommand, context);
    lengthCommand->add_option("CODE", options->code, "hierarchy code (byCode)")->required()->check(
        numberArgument<int>("Kod poziomu hierarchii", 0, true, std::pair{-128, 127}));
    lengthCommand->callback([&context, options] {
        context.job = [options](std::ostream& out) { printLengths(out, static_cast<Towar::TowarCode>(options->code)); };
    });
}

}  // namespace Towary::Host
