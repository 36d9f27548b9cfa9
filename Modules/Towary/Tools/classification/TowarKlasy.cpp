#include "Modules/Towary/Tools/classification/TowarKlasy.h"

#include "Core/Database/Query.h"
#include "Core/Store/StoreLocation.h"
#include "Core/System/Sysutils.h"

#include <map>
#include <optional>

namespace TowarKlasy {
namespace {

struct StoredClass {
    int reference;
    Words words;
};

using ClassTable = std::map<std::string, StoredClass>;

// One table per store database: a process that works on several stores in
// turn (the test suite) never sees one store's classes in another.
const ClassTable& classTable(const TSessionHolder& session) {
    static std::map<std::filesystem::path, ClassTable> cache;
    const auto store = Core::Store::databaseFile();
    if (const auto found = cache.find(store); found != cache.end()) return found->second;
    ClassTable table;
    DBKernel::Sql::PreparedQuery query("select * from Klasa", session);
    query.execute();
    while (query.next()) {
        // A class keeps one attribute word: all three value words come from it.
        table[query["sNazwa"].asString()] =
            StoredClass{query["lKlasaRef"].asInt(),
                        Words{static_cast<std::uint32_t>(query["bAtrWart"].asInt64()),
                              static_cast<std::uint32_t>(query["bAtrWart"].asInt64()),
                              static_cast<std::uint32_t>(query["bAtrWart"].asInt64())}};
    }
    return cache.emplace(store, std::move(table)).first->second;
}

OpisKlasyTowaru merged(OpisKlasyTowaru description, const OpisKlasyZmiany& change) {
    for (std::size_t k = 0; k < 3; ++k) {
        description.wart[k] = (description.wart[k] & ~change.mask[k]) | (change.wart[k] & change.mask[k]);
        description.mask[k] |= change.mask[k];
    }
    return description;
}

}  // namespace

CTowarKlasyModifier::CTowarKlasyModifier(TSessionHolder session) : session_(std::move(session)) {}

bool CTowarKlasyModifier::getAtribsFromKlasa(const std::string& name, int* reference, std::uint32_t* word1,
                                             std::uint32_t* word2, std::uint32_t* word3) const {
    const auto& table = classTable(session_);
    const auto found = table.find(name);
    if (found == table.end()) return false;
    *reference = found->second.reference;
    *word1 = found->second.words[0];
    *word2 = found->second.words[1];
    *word3 = found->second.words[2];
    return true;
}

OpisKlasyTowaru CTowarKlasyModifier::operator()(const OpisKlasyTowaru& current, const OpisKlasyZmiany& change) const {
    int reference = 0;
    Words words{};
    const bool stored = getAtribsFromKlasa(change.nazwa, &reference, &words[0], &words[1], &words[2]);
    if (!change.nazwa.empty() && change.nazwa == current.nazwa) {
        auto result = merged(current, change);
        result.nazwa = change.nazwa;
        result.klasaRef = stored ? reference : 0;
        return result;
    }
    if (!change.nazwa.empty()) {
        if (!stored) throw Sysutils::Exception("Brak klasy" + change.nazwa + "w bazie!");
        return merged(OpisKlasyTowaru(change.nazwa, reference, words[0], words[1], words[2], 0, 0, 0), change);
    }
    constexpr std::uint32_t kAll = 0xFFFFFFFFu;
    return OpisKlasyTowaru("", 0, current.wart[0], current.wart[1], current.wart[2], kAll, kAll, kAll);
}

}  // namespace TowarKlasy
