// A few groups and products whose indexes come from the module's generators,
// and what the module tells of them.

#include "Core/Database/Sql.h"
#include "Modules/Towary/Tools/index/ArtIndexGenerator.h"
#include "Modules/Towary/Tools/index/GroupIndexGenerator.h"
#include "Modules/Towary/Tools/index/HierarchyLevels.h"
#include "apps/towary/IndexReports.h"
#include "apps/towary/demo/Demo.h"

#include <ostream>
#include <string>
#include <vector>

namespace Towary::Host::Demo {
namespace {

struct SampleGroup {
    int parent;  // position of the parent in kGroups; -1 for a department
    const char* name;
};

// In the order a store manager would set them up: each group after its parent.
constexpr SampleGroup kGroups[] = {
    {-1, "Spożywczy"}, {0, "Nabiał"}, {1, "Mleko"}, {2, "Mleko UHT"}, {3, "Mleko UHT 2%"}, {0, "Pieczywo"}, {-1, "Chemia"},
};

struct SampleProduct {
    int group;  // position of its group in kGroups
    const char* name;
};

constexpr SampleProduct kProducts[] = {{4, "Mleko UHT 2% 1 l"}, {4, "Mleko UHT 2% 0,5 l"}};

void insertRow(const TSessionHolder& session, const std::string& name, const std::string& groupIndex,
               Towar::TowarCode code, const std::string& artIndex) {
    DBKernel::Sql::Command insert(
        "insert into towar (lTowarRef, sNazwa, sGrIndex, byCode, sArtIndex)"
        " values (newref, :sNazwa, :sGrIndex, :byCode, :sArtIndex)",
        session);
    insert.Params["sNazwa"] = name;
    insert.Params["sGrIndex"] = groupIndex;
    insert.Params["byCode"] = static_cast<int>(code);
    insert.Params["sArtIndex"] = artIndex;
    insert.execute();
}

}  // namespace

void hierarchy(std::ostream& out) {
    TSessionHolder session;
    DBKernel::TransactionGuard transaction(session);
    out << "Grupy i towary, indeksy z generatorów modułu:\n";
    std::vector<std::string> indexes;
    for (const SampleGroup& group : kGroups) {
        const std::string parent = group.parent < 0 ? "" : indexes[group.parent];
        indexes.push_back(Towar::GroupIndexGenerator::instance().genIndex(parent, session));
        const Towar::TowarCode code = Towar::getTowarCodefromIndex(indexes.back());
        insertRow(session, group.name, indexes.back(), code, "");
        out << std::string(2 * code, ' ') << indexes.back() << "  " << group.name << " ("
            << Towar::getHierarchyLevelDisplayName(code) << ")\n";
    }
    out << "Towary:\n";
    auto& articles = Towar::ArtIndexGenerator::instance();
    for (const SampleProduct& product : kProducts) {
        const std::string artIndex = articles.genIndex(session, articles.getLastGeneratedIndex());
        insertRow(session, product.name, indexes[product.group], Towar::tcTowar, artIndex);
        out << "  " << artIndex << "  " << product.name << " (grupa " << indexes[product.group] << ")\n";
    }
    transaction.commit();

    out << "\ntowary index split " << indexes[4] << ":\n";
    printSplit(out, indexes[4]);
    out << "towary index next-group " << indexes[0] << ": "
        << Towar::GroupIndexGenerator::instance().genIndex(indexes[0], session) << '\n'
        << "towary index next-group (nowy departament): " << Towar::GroupIndexGenerator::instance().genIndex("", session)
        << '\n'
        << "towary index next-article: " << articles.genIndex(session, articles.getLastGeneratedIndex()) << '\n';
}

}  // namespace Towary::Host::Demo
