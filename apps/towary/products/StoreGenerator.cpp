#include "apps/towary/products/StoreGenerator.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <random>

#include "Modules/Towary/Tools/rights/Streams.h"
#include <stdexcept>
#include <string>
#include <vector>

#include "Core/BaseDBObjects/TPLU.h"
#include "Core/Database/Query.h"
#include "Core/Database/RefPool.h"
#include "Core/tools/Digits.h"
#include "Core/tools/Gs1.h"
#include "Modules/Towary/Tools/index/HierarchyLevels.h"

namespace Towary::Host::Products {
namespace {

using namespace PluStatus;

using Names = std::vector<const char*>;

// Group names, one list per level; a subfamily is its family's name with a qualifier.
const std::array<Names, 5> kGroupNames = {{
    {"Spożywczy", "Nabiał", "Mięso i wędliny", "Owoce i warzywa", "Pieczywo", "Napoje", "Słodycze i przekąski",
     "Mrożonki", "Chemia gospodarcza", "Kosmetyki", "Dom i kuchnia", "Ogród", "Artykuły dziecięce", "Zwierzęta",
     "Prasa i książki", "Alkohole"},
    {"Świeże", "Trwałe", "Importowane", "Regionalne", "Ekologiczne", "Marka własna", "Premium", "Codzienne"},
    {"Paczkowane", "Na wagę", "Butelkowane", "W puszkach", "W kartonach", "W słoikach", "Luzem", "Zestawy"},
    {"Jogurty",         "Sery",      "Mleko",    "Kawa",      "Herbata", "Soki",  "Wody",    "Makarony",
     "Kasze",           "Przyprawy", "Ciastka",  "Czekolady", "Wędliny", "Owoce", "Warzywa", "Proszki do prania",
     "Płyny do naczyń", "Mydła",     "Szampony", "Karmy",     "Piwa",    "Wina"},
    {"klasyczne", "light", "bez laktozy", "smakowe", "duże opakowania", "małe opakowania", "bio", "tradycyjne"},
}};

const Names kNouns = {"Jogurt",
                      "Ser",
                      "Mleko",
                      "Masło",
                      "Kawa",
                      "Herbata",
                      "Sok",
                      "Woda",
                      "Makaron",
                      "Kasza",
                      "Ciastka",
                      "Czekolada",
                      "Szynka",
                      "Kiełbasa",
                      "Płyn do naczyń",
                      "Proszek do prania",
                      "Mydło",
                      "Szampon",
                      "Karma dla psa",
                      "Piwo",
                      "Chleb",
                      "Dżem",
                      "Ketchup",
                      "Musztarda",
                      "Olej",
                      "Mąka",
                      "Cukier",
                      "Ryż",
                      "Płatki śniadaniowe",
                      "Herbatniki"};
const Names kWeighedNouns = {"Ser żółty", "Szynka",    "Kiełbasa", "Schab",    "Karkówka", "Jabłka",    "Pomidory",
                             "Banany",    "Ziemniaki", "Śledzie",  "Cukierki", "Orzechy",  "Polędwica", "Boczek"};
const Names kDescriptors = {"naturalny",   "truskawkowy", "klasyczny", "pełnoziarnisty", "bez cukru", "łagodny",
                            "pikantny",    "ekstra",      "domowy",    "wiejski",        "żytni",     "gazowany",
                            "niegazowany", "mleczny",     "gorzki",    "złocisty"};
const Names kBrands = {"Mleczna Dolina",  "Złoty Kłos",      "Pod Lasem",       "Gospodarstwo Nowak", "Słoneczny Sad",
                       "Mazurskie Smaki", "Bracia Kowalscy", "O'Connor's",      "Zielona Łąka",       "Babuni",
                       "Smak Natury",     "Polskie Pola",    "Żurawinowy Dwór", "Kraina Miodu"};
const Names kSizes = {"100 g", "200 g", "250 g", "400 g",  "500 g",  "1 kg",
                      "0,5 l", "1 l",   "1,5 l", "330 ml", "6 szt.", "10 szt."};

// Measure units and VAT codes as the store's lists number them (apps/towary/SampleLists.cpp).
constexpr int kPiece = 1;
constexpr int kKilogram = 3;
constexpr int kVat23 = 13;
constexpr int kVat8 = 12;
constexpr int kVat5 = 9;
constexpr int kVat0 = 10;
constexpr int kOrdinaryType = 4;
constexpr int kGroupingType = 9;
constexpr int kActive = 1;
constexpr int kWithdrawn = 4;
constexpr double kFirstDay = 44927;  // 2023-01-01
constexpr double kProductsPerSubfamily = 40;

struct IndexLengths {
    std::array<int, 5> level{};
    int article = 0;
};

// The lengths as the module reads them, once.
IndexLengths readIndexLengths() {
    IndexLengths lengths;
    for (int level = Towar::tcDepartament; level <= Towar::tcPodrodzina; ++level) {
        const auto length = Towar::getIndexLength(static_cast<Towar::TowarCode>(level));
        if (length < 1 || length > 9)
            throw std::runtime_error("Długość poziomu " +
                                     Towar::getHierarchyLevelDisplayName(static_cast<Towar::TowarCode>(level)) +
                                     " wynosi " + std::to_string(length) + "; generator potrzebuje od 1 do 9 cyfr.");
        lengths.level[static_cast<std::size_t>(level - 1)] = length;
    }
    lengths.article = Towar::getIndexLength(Towar::tcTowar);
    if (lengths.article < 1 || lengths.article > 18)
        throw std::runtime_error("Długość indeksu artykułu wynosi " + std::to_string(lengths.article) +
                                 "; generator potrzebuje od 1 do 18 cyfr.");
    return lengths;
}

std::int64_t power10(int digits) {
    std::int64_t result = 1;
    for (int i = 0; i < digits; ++i) result *= 10;
    return result;
}

std::string padded(std::int64_t number, int digits) {
    return Core::padLeft(std::to_string(number), static_cast<std::size_t>(digits));
}

std::string withCheckDigit(const std::string& digits) { return digits + Core::Gs1::checkDigit(digits); }

// What a product row holds beyond its place in the hierarchy.
struct ProductRow {
    std::string name, shortName, groupIndex;
    int code = 6;
    int type = kOrdinaryType;
    bool weighed = false;
    bool multiPriceElement = false;
    std::int64_t scaleNumber = 0;  // 0: none
};

class Generator {
public:
    Generator(const GeneratorOptions& options, const TSessionHolder& session)
        : options_(options),
          session_(session),
          lengths_(readIndexLengths()),
          rng_(options.seed),
          groupInsert_(
              "insert into towar (lTowarRef, sNazwa, sGrIndex, byCode, czasUtworzenia, czasMod, lUzytkRef)"
              " values (:lTowarRef, :sNazwa, :sGrIndex, :byCode, :czasUtworzenia, :czasUtworzenia, 1)",
              session),
          productInsert_(
              "insert into towar (lTowarRef, sNazwa, sKrNazwa, sGrIndex, sArtIndex, byVAT, byCode, byTyp, bWagowy,"
              " nJmSprz, nJmBase, dPrzelicznikSprz2Base, dCenaSprzed, nMarza, nStatusAktywnosci, bWieleCen,"
              " nWagaPLU, nWagaSekcja, czasUtworzenia, czasMod, lUzytkRef, bySendWiecz, bySendNat, byRabatowy,"
              " bCenaOtwarta, bWieleWydan)"
              " values (:lTowarRef, :sNazwa, :sKrNazwa, :sGrIndex, :sArtIndex, :byVAT, :byCode, :byTyp, :bWagowy,"
              " :nJm, :nJm, 1, :dCenaSprzed, :nMarza, :nStatusAktywnosci, :bWieleCen,"
              " :nWagaPLU, :nWagaSekcja, :czasUtworzenia, :czasMod, 1, 0, 0, 1, 0, 0)",
              session),
          codeInsert_(
              "insert into plu (lPluRef, sPLU, lTowarRef, nJm, byStatus, byBlokada)"
              " values (:lPluRef, :sPLU, :lTowarRef, :nJm, :byStatus, 0)",
              session),
          conditionInsert_(
              "insert into warsprz (lWarSprzRef, lTowarRef, dataOd, dataDo, dCenaSprzed, bLokalny, lUzytkRef, czasMod)"
              " values (:lWarSprzRef, :lTowarRef, :dataOd, :dataDo, :dCenaSprzed, 0, 1, :dataOd)",
              session) {}

    GeneratedCounts run() {
        const auto capacity = power10(lengths_.article) - 1;
        if (options_.products > capacity)
            throw std::runtime_error("Indeks artykułu ma " + std::to_string(lengths_.article) + " cyfr i mieści " +
                                     std::to_string(capacity) + " towarów, a zamówiono " +
                                     std::to_string(options_.products) + ".");
        // Ids run on from the pool's next one; the store moves its pool past each row's id.
        nextId_ = DBKernel::RefPool::instance().getRef(session_);
        const double subfamilies =
            std::max(1.0, std::ceil(static_cast<double>(options_.products) / kProductsPerSubfamily));
        fanOut_ = std::max<std::int64_t>(1, std::llround(std::pow(subfamilies, 0.2)));
        addChildren(1, "", "");
        addProducts();
        addUsers();
        addConditions();
        // Condition ids are not product or code ids, which the store follows itself.
        if (counts_.conditions > 0) DBKernel::RefPool::instance().reserveThrough(nextId_ - 1, session_);
        return counts_;
    }

private:
    struct Family {
        std::string index;
        std::int64_t nextSegment = 1;  // the first level-5 segment no group of it uses
    };
    struct Subfamily {
        std::string index;
        std::size_t family = 0;
    };

    std::uint64_t below(std::uint64_t n) { return rng_() % n; }
    // Mostly 23 %, then 8 %, 5 %, 0 %.
    int vatCode() {
        const auto draw = below(100);
        return draw < 50 ? kVat23 : draw < 85 ? kVat8 : draw < 95 ? kVat5 : kVat0;
    }
    bool perMille(std::uint64_t n) { return below(1000) < n; }
    const char* pick(const Names& names) { return names[below(names.size())]; }
    double someDay() { return kFirstDay + static_cast<double>(below(730)) + static_cast<double>(below(86400)) / 86400; }
    std::int64_t segmentCapacity(int level) const {
        return power10(lengths_.level[static_cast<std::size_t>(level - 1)]) - 1;
    }

    void addChildren(int level, const std::string& parent, const std::string& parentName) {
        const auto wanted = static_cast<std::int64_t>(below(3)) + fanOut_ - 1;
        const auto count = std::clamp<std::int64_t>(wanted, 1, segmentCapacity(level));
        for (std::int64_t segment = 1; segment <= count; ++segment) {
            const auto index = parent + padded(segment, lengths_.level[static_cast<std::size_t>(level - 1)]);
            std::string name = pick(kGroupNames[static_cast<std::size_t>(level - 1)]);
            if (level == 5) name = parentName + " " + name;
            insertGroup(level, index, name);
            if (level == 4) {
                families_.push_back({index, 1});
                addChildren(5, index, name);
            } else if (level == 5) {
                subfamilies_.push_back({index, families_.size() - 1});
            } else {
                addChildren(level + 1, index, name);
            }
        }
        if (level == 5) families_.back().nextSegment = count + 1;
    }

    void insertGroup(int level, const std::string& index, const std::string& name) {
        auto& params = groupInsert_.Params;
        params["lTowarRef"] = nextId_++;
        params["sNazwa"] = name;
        params["sGrIndex"] = index;
        params["byCode"] = level;
        params["czasUtworzenia"] = someDay();
        groupInsert_.execute();
        ++counts_.groups;
        groups_.push_back(index);
    }

    // Each user's entries are saved as the user-rights forms save them.
    void addUsers() {
        DBKernel::Sql::Command userInsert("insert into uzytkownik (luzytkref, snazwa) values (:id, :name)", session_);
        for (std::int64_t user = 2; user < options_.users + 2; ++user) {
            userInsert.Params["id"] = user;
            userInsert.Params["name"] = "Użytkownik " + std::to_string(user);
            userInsert.execute();
            GroupRights::Container rights;
            const auto entries = std::min<std::int64_t>(options_.rightsPerUser, static_cast<std::int64_t>(groups_.size()));
            while (static_cast<std::int64_t>(rights.sortedIndexes().size()) < entries) {
                std::string text;
                for (std::size_t right = 0; right < GroupRights::Rights::kCount; ++right)
                    text += std::string(right == 0 ? (below(4) != 0 ? "Y" : "N") : (below(2) != 0 ? "Y" : "N")) + "O";
                rights.setRights(groups_[below(groups_.size())], GroupRights::Rights::fromText(text));
            }
            GroupRights::OutputStream(GroupRights::OutputStream::Uzytk, static_cast<int>(user), session_)
                .containerToStream(rights);
            ++counts_.users;
            counts_.rightsEntries += entries;
        }
    }

    void addProducts() {
        while (counts_.products < options_.products) {
            auto& subfamily = subfamilies_[below(subfamilies_.size())];
            const auto left = options_.products - counts_.products;
            if (left >= 2 && multiPriceDraw() && addMultiPriceWare(families_[subfamily.family], left)) continue;
            addOrdinaryProduct(subfamily.index);
        }
    }

    bool multiPriceDraw() {
        if (!options_.multiPricePercent) return perMille(10);
        return below(1000000) < static_cast<std::uint64_t>(std::llround(*options_.multiPricePercent * 10000));
    }

    // Each condition a year or less from a day of 2023-2024, of a product of
    // level 6 drawn at random, at the product's price.
    void addConditions() {
        if (options_.conditions == 0) return;
        if (sellable_.empty()) throw std::runtime_error("Brak towarów, którym można dać warunki sprzedaży.");
        auto& params = conditionInsert_.Params;
        for (std::int64_t i = 0; i < options_.conditions; ++i) {
            const auto& [product, price] = sellable_[below(sellable_.size())];
            const auto from = static_cast<std::int64_t>(kFirstDay) + static_cast<std::int64_t>(below(730));
            params["lWarSprzRef"] = nextId_++;
            params["lTowarRef"] = product;
            params["dataOd"] = from;
            params["dataDo"] = from + 30 + static_cast<std::int64_t>(below(336));
            params["dCenaSprzed"] = price;
            conditionInsert_.execute();
            ++counts_.conditions;
        }
    }

    void addOrdinaryProduct(const std::string& groupIndex) {
        ProductRow row;
        row.groupIndex = groupIndex;
        row.weighed = perMille(80) && scaleNumbers_ < 99999;
        const std::string size = pick(kSizes);
        if (row.weighed) {
            const std::string noun = pick(kWeighedNouns);
            row.name = noun + " " + pick(kDescriptors) + " na wagę";
            row.shortName = noun + " luz";
            row.scaleNumber = ++scaleNumbers_;
        } else {
            const std::string noun = pick(kNouns);
            row.name = noun + " " + pick(kDescriptors) + " " + pick(kBrands) + " " + size;
            row.shortName = noun + " " + size;
        }
        const auto id = insertProduct(row);
        if (row.weighed) {
            ++counts_.weighed;
            // A restricted-circulation EAN-13: prefix 2x, the item, the zeros the scale fills with weight or price.
            insertCode(id, withCheckDigit("2" + std::to_string(below(10)) + padded(row.scaleNumber, 5) + "00000"),
                       kLive, kKilogram);
            return;
        }
        addShopCodes(id);
    }

    // The codes of a product sold by the piece.
    void addShopCodes(std::int64_t id) {
        const auto ean = newEan13();
        insertCode(id, ean, kLive, kPiece);
        liveEans_.push_back(ean);
        if (perMille(100)) insertCode(id, newEan13(), kLiveSecondary, kPiece);
        if (perMille(40) && ean8Next_ < 100000)
            insertCode(id, withCheckDigit(std::to_string(5900000 + ean8Next_++)), kLive, kPiece);
        if (perMille(30) && shortNext_ < 100000) insertCode(id, std::to_string(shortNext_++), kLive, kPiece);
        if (perMille(100)) insertCode(id, newEan13(), kDeleted, kPiece);
        // A deleted row of a code that another product carries now: the code was once this product's.
        if (perMille(5) && liveEans_.size() > 1)
            insertCode(id, liveEans_[below(liveEans_.size() - 1)], kDeleted, kPiece);
    }

    // A grouping row with the codes and two to four elements sharing a new
    // group index one level below the family; false when the family has no
    // free subfamily segment left.
    bool addMultiPriceWare(Family& family, std::int64_t left) {
        if (family.nextSegment > segmentCapacity(5)) return false;
        const auto groupIndex = family.index + padded(family.nextSegment++, lengths_.level[4]);
        const std::string noun = pick(kNouns);
        ProductRow grouping;
        grouping.name = noun + " " + pick(kDescriptors) + " " + pick(kBrands);
        grouping.shortName = noun;
        grouping.groupIndex = groupIndex;
        grouping.code = 5;
        grouping.type = kGroupingType;
        const auto id = insertProduct(grouping);
        ++counts_.multiPriceWares;
        addShopCodes(id);
        const auto elements = std::min<std::int64_t>(left, 2 + static_cast<std::int64_t>(below(3)));
        for (std::int64_t i = 1; i <= elements; ++i) {
            ProductRow element = grouping;
            element.name = grouping.name + ", cena " + std::to_string(i);
            element.code = 6;
            element.type = kOrdinaryType;
            element.multiPriceElement = true;
            insertProduct(element);
        }
        return true;
    }

    std::int64_t insertProduct(const ProductRow& row) {
        if (articles_ >= power10(lengths_.article) - 1)
            throw std::runtime_error("Indeks artykułu ma " + std::to_string(lengths_.article) +
                                     " cyfr: brak miejsca na kolejne towary.");
        const auto id = nextId_++;
        auto& params = productInsert_.Params;
        params["lTowarRef"] = id;
        params["sNazwa"] = row.name;
        params["sKrNazwa"] = row.shortName;
        params["sGrIndex"] = row.groupIndex;
        params["sArtIndex"] = padded(++articles_, lengths_.article);
        params["byVAT"] = vatCode();
        params["byCode"] = row.code;
        params["byTyp"] = row.type;
        params["bWagowy"] = row.weighed ? 1 : 0;
        params["nJm"] = row.weighed ? kKilogram : kPiece;
        const double price = static_cast<double>(99 + below(9901)) / 100;
        params["dCenaSprzed"] = price;
        params["nMarza"] = static_cast<double>(15 + below(26));
        params["nStatusAktywnosci"] = perMille(50) ? kWithdrawn : kActive;
        params["bWieleCen"] = row.multiPriceElement ? 1 : 0;
        if (row.scaleNumber != 0) {
            params["nWagaPLU"] = row.scaleNumber;
            params["nWagaSekcja"] = static_cast<int>(1 + below(5));
        } else {
            params["nWagaPLU"].clear();
            params["nWagaSekcja"].clear();
        }
        const auto created = someDay();
        params["czasUtworzenia"] = created;
        params["czasMod"] = created + static_cast<double>(below(200));
        productInsert_.execute();
        if (row.code == 6) ++counts_.products;
        if (row.code == 6 && options_.conditions > 0) sellable_.emplace_back(id, price);
        return id;
    }

    void insertCode(std::int64_t product, const std::string& code, int status, int unit) {
        auto& params = codeInsert_.Params;
        params["lPluRef"] = nextId_++;
        // Draws only when asked to, so that stores without malformed codes stay as they were.
        if (status != kDeleted && malformedPerMillion_ > 0 && below(1000000) < malformedPerMillion_) {
            params["sPLU"] = malformed(code);
            ++counts_.malformedCodes;
        } else {
            params["sPLU"] = code;
        }
        params["lTowarRef"] = product;
        params["nJm"] = unit;
        params["byStatus"] = status;
        codeInsert_.execute();
        ++counts_.codes;
        if (status == kDeleted) ++counts_.deletedCodes;
    }

    // The code as a hand might have typed it.
    std::string malformed(const std::string& code) {
        const bool storeCode = code.size() == 13 && code[0] == '2';
        switch (below(20)) {
        case 0:
            return code.substr(0, 1) + "O" + code.substr(2);  // a letter for a zero: no code at all
        case 1:
        case 2:
        case 3:
        case 4:
            return " " + code;
        case 5:
        case 6:
        case 7:
        case 8:
        case 9:
            if (code.size() >= 8) return code.substr(0, code.size() - 1);  // the check digit left out
            break;
        case 10:
        case 11:
        case 12:
            if (storeCode) return code.substr(0, 12) + static_cast<char>('0' + (code[12] - '0' + 1) % 10);
            break;
        default:
            break;
        }
        return "00" + code;
    }

    // A new EAN-13 of a Polish manufacturer: prefix 590, the company, its next item.
    std::string newEan13() {
        for (;;) {
            const auto company = 1000 + static_cast<int>(below(9000));
            auto& item = items_[company];
            if (item >= 99999) continue;
            return withCheckDigit("590" + std::to_string(company) + padded(++item, 5));
        }
    }

    GeneratorOptions options_;
    TSessionHolder session_;
    IndexLengths lengths_;
    std::mt19937_64 rng_;  // its sequence is fixed by the standard: one seed, one store
    DBKernel::Sql::Command groupInsert_;
    DBKernel::Sql::Command productInsert_;
    DBKernel::Sql::Command codeInsert_;
    DBKernel::Sql::Command conditionInsert_;
    std::int64_t nextId_ = 0;
    std::int64_t fanOut_ = 1;
    std::int64_t articles_ = 0;
    std::int64_t scaleNumbers_ = 0;
    std::int64_t ean8Next_ = 0;
    std::int64_t shortNext_ = 1000;
    std::uint64_t malformedPerMillion_ = static_cast<std::uint64_t>(std::llround(options_.malformedPercent * 10000));
    std::map<int, int> items_;  // the last item number of each company
    std::vector<Family> families_;
    std::vector<Subfamily> subfamilies_;
    std::vector<std::string> groups_;  // every group index, in the order made
    std::vector<std::string> liveEans_;
    std::vector<std::pair<std::int64_t, double>> sellable_;  // (id, price) of level 6, when conditions are asked for
    GeneratedCounts counts_;
};

}  // namespace

GeneratedCounts generateProducts(const GeneratorOptions& options, const TSessionHolder& session) {
    DBKernel::TransactionGuard guard(session);
    const auto bulk = session.session().connection().bulkWrite("towar");
    auto counts = Generator(options, session).run();
    bulk->finish();
    guard.commit();
    return counts;
}

}  // namespace Towary::Host::Products
