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
    command->add_option("INDEX", index, "indeks grupy (sGrIndex)")->required();
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
    auto* group = app.add_subcommand("index", "hierarchia towarów: indeksy grup i artykułów");
    group->require_subcommand(1);
    auto options = std::make_shared<IndexOptions>();

    indexCommand(*group, context, "split", "segmenty poziomów indeksu grupy i indeksy jej przodków", options->index)
        ->callback([&context, options] {
            context.job = [options](std::ostream& out) { printSplit(out, options->index); };
        });

    indexCommand(*group, context, "level", "poziom hierarchii indeksu i jego nazwa", options->index)
        ->callback([&context, options] {
            context.job = [options](std::ostream& out) { printLevel(out, options->index); };
        });

    indexCommand(*group, context, "parent", "indeks grupy nadrzędnej grupy", options->index)
        ->callback([&context, options] {
            context.job = [options](std::ostream& out) {
                out << Core::Utf8::substr(options->index, 0, Towar::previousIndexLength(options->index)) << '\n';
            };
        });

    indexCommand(*group, context, "child-length", "długość indeksu podgrupy grupy", options->index)
        ->callback([&context, options] {
            context.job = [options](std::ostream& out) {
                out << Towar::GroupIndexSplitter().nextLevelLength(options->index) << '\n';
            };
        });

    auto* nextGroup = group->add_subcommand("next-group", "indeks nowej podgrupy (bez PARENT: nowego departamentu)");
    addStoreArgument(*nextGroup, context);
    nextGroup->add_option("PARENT", options->index, "indeks grupy nadrzędnej");
    nextGroup->callback([&context, options] {
        context.job = [options](std::ostream& out) {
            out << Towar::GroupIndexGenerator::instance().genIndex(options->index, TSessionHolder()) << '\n';
        };
    });

    auto* nextArticle = group->add_subcommand("next-article", "wolny indeks artykułu dla nowego towaru");
    addStoreArgument(*nextArticle, context);
    nextArticle->callback([&context] {
        context.job = [](std::ostream& out) {
            auto& generator = Towar::ArtIndexGenerator::instance();
            out << generator.genIndex(TSessionHolder(), generator.getLastGeneratedIndex()) << '\n';
        };
    });

    auto* lengthCommand = group->add_subcommand("length", "długości indeksów kodu hierarchii (1-5 grupy, 6 artykuły)");
    addStoreArgument(*lengthCommand, context);
    lengthCommand->add_option("CODE", options->code, "kod hierarchii (byCode)")->required()->check(
        numberArgument<int>("Kod poziomu hierarchii", 0, true, std::pair{-128, 127}));
    lengthCommand->callback([&context, options] {
        context.job = [options](std::ostream& out) { printLengths(out, static_cast<Towar::TowarCode>(options->code)); };
    });
}

}  // namespace Towary::Host
