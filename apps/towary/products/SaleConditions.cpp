#include "apps/towary/products/SaleConditions.h"

#include "Core/Database/DatabaseError.h"
#include "Core/Database/Query.h"
#include "Core/Database/RefPool.h"
#include "Core/Price/Price.h"
#include "Core/User/User.h"
#include "Core/UserMessage.h"
#include "Core/tools/Csv.h"
#include "Core/tools/DayNumber.h"
#include "Core/tools/IgnoringCase.h"
#include "Core/tools/Numbers.h"
#include "Modules/Towary/Tools/index/HierarchyLevels.h"
#include "Modules/Towary/Tools/multiprice/MultiPriceWareSellConditionLogic.h"
#include "apps/towary/products/ProductArgument.h"
#include "apps/towary/products/ProductImport.h"

#include <array>
#include <fstream>
#include <optional>
#include <stdexcept>

namespace Towary::Host::Products {
namespace {

constexpr std::array<const char*, 7> kColumns{"towar", "dCenaSprzed", "dataOd", "dataDo", "lPromoRef", "byDeleted",
                                              "byBlokada"};
constexpr std::size_t kRequired = 4;  // the first four columns
enum ConditionColumn { product, price, from, to, promotion, deleted, blocked };

// Where each column stands in the file.
std::array<std::optional<std::size_t>, kColumns.size()> layoutOf(const std::vector<std::string>& header) {
    std::array<std::optional<std::size_t>, kColumns.size()> at;
    for (std::size_t i = 0; i < header.size(); ++i) {
        std::size_t column = 0;
        while (column < kColumns.size() && !Core::equalsIgnoringCase(header[i], kColumns[column])) ++column;
        if (column == kColumns.size())
            throw std::runtime_error("nieznana kolumna " + header[i] +
                                     ": plik warunków ma kolumny towar, dCenaSprzed, dataOd, dataDo, lPromoRef, "
                                     "byDeleted, byBlokada");
        if (at[column]) throw std::runtime_error("kolumna " + std::string(kColumns[column]) + " powtarza się");
        at[column] = i;
    }
    for (std::size_t column = 0; column < kRequired; ++column)
        if (!at[column]) throw std::runtime_error("brak kolumny " + std::string(kColumns[column]));
    return at;
}

Core::Price priceOf(const std::string& text) {
    const auto value = Core::parseNumber<double>(text);
    if (!value) throw std::runtime_error("cena \"" + text + "\" nie jest liczbą (część dziesiętną oddziela kropka)");
    const Core::Price price(*value);
    if (price < Core::Price(0.01))
        throw std::runtime_error("cena " + price.toString() + " nie jest dodatnia; cena sprzedaży to co najmniej 0.01");
    return price;
}

std::optional<std::int64_t> flagOf(const std::string& text, const char* column) {
    if (text.empty()) return std::nullopt;
    if (text != "0" && text != "1")
        throw std::runtime_error("kolumna " + std::string(column) + ": \"" + text + "\" nie jest 0 ani 1");
    return text == "1" ? 1 : 0;
}

}  // namespace

ConditionCounts importConditions(const std::filesystem::path& file, const TSessionHolder& session, bool multiPrice) {
    const auto name = inputName(file);
    std::ifstream in(file, std::ios::binary);
    if (!in) throw std::runtime_error("Nie można otworzyć pliku " + name + ".");
    Core::Csv::Reader reader(in);
    Core::Csv::Record record;
    const auto fail = [&](std::size_t line, const std::string& reason) -> void {
        throw std::runtime_error(name + ", wiersz " + std::to_string(line) + ": " + reason);
    };
    ConditionCounts counts;
    try {
        if (!reader.next(record))
            throw std::runtime_error(name + ": plik jest pusty; jego pierwszy wiersz to nagłówek z nazwami kolumn");
        std::array<std::optional<std::size_t>, kColumns.size()> at;
        try {
            at = layoutOf(record.fields);
        } catch (const Core::Csv::Error&) {
            throw;
        } catch (const std::runtime_error& e) {
            fail(record.line, e.what());
        }
        const auto field = [&](ConditionColumn column) -> std::string {
            return at[column] ? record.fields[*at[column]] : std::string();
        };

        DBKernel::TransactionGuard guard(session);
        Towar::MultiPriceWareSellConditionLogic logic(session, {}, multiPrice);
        DBKernel::Sql::Command insert(
            "insert into warsprz (lWarSprzRef, lTowarRef, dataOd, dataDo, dCenaSprzed, lPromoRef, byDeleted, "
            "byBlokada, bLokalny, lUzytkRef, czasMod) values (:id, :product, :from, :to, :price, :promotion, "
            ":deleted, :blocked, 1, :user, :now)",
            session);
        const std::size_t width = record.fields.size();
        while (reader.next(record)) {
            try {
                if (record.fields.size() != width)
                    throw std::runtime_error("pól jest " + std::to_string(record.fields.size()) +
                                             ", a kolumn w nagłówku " + std::to_string(width));
                const auto price = priceOf(field(ConditionColumn::price));
                const auto first = Core::DayNumber::fromText(field(ConditionColumn::from));
                const auto last = Core::DayNumber::fromText(field(ConditionColumn::to));
                if (last < first)
                    throw std::runtime_error("dataDo " + field(ConditionColumn::to) + " jest przed dataOd " + field(ConditionColumn::from));
                const auto towar = productByArgument(field(ConditionColumn::product), session);
                const bool grouping = !towar->IsNullTyp() && towar->GetTyp() == 9;
                if (!grouping && (towar->IsNullCode() || towar->GetCode() != Towar::tcTowar))
                    throw std::runtime_error("wiersz \"" + field(ConditionColumn::product) + "\" (" + towar->GetNazwa() +
                                             ") nie jest towarem: warunek sprzedaży ma tylko towar, nie grupa");
                bool created = false;
                TTowar* element = logic.getMultiPriceElement(*towar, price.toDouble(), created);
                Towar::MultiPriceWareSellConditionLogic::WareGuard elementGuard(logic, created ? element : nullptr);
                insert.Params["id"] = DBKernel::RefPool::instance().getRef(session);
                insert.Params["product"] = static_cast<std::int64_t>(towar->GetTowarRef());
                insert.Params["from"] = first;
                insert.Params["to"] = last;
                insert.Params["price"] = price.toDouble();
                if (const auto promotionText = field(ConditionColumn::promotion); promotionText.empty()) {
                    insert.Params["promotion"].clear();
                } else {
                    const auto id = Core::parseNumber<int>(promotionText);
                    if (!id || *id < 1)
                        throw std::runtime_error("lPromoRef \"" + promotionText + "\" nie jest identyfikatorem; " +
                                                 DBKernel::idRangeText());
                    DBKernel::Sql::PreparedQuery known("select 1 from promocja where lPromocjaRef = :id", session);
                    known.Params["id"] = *id;
                    known.execute();
                    if (known.empty()) throw std::runtime_error("nie ma promocji o ID = " + promotionText);
                    insert.Params["promotion"] = *id;
                }
                for (const auto& [column, param] : {std::pair{ConditionColumn::deleted, "deleted"}, {ConditionColumn::blocked, "blocked"}}) {
                    if (const auto flag = flagOf(field(column), kColumns[column]))
                        insert.Params[param] = *flag;
                    else
                        insert.Params[param].clear();
                }
                insert.Params["user"] = static_cast<std::int64_t>(Core::User::instance().getUserRef());
                insert.Params["now"] = Core::DayNumber::now();
                insert.execute();
                elementGuard.commit();
                ++counts.conditions;
                if (created) ++counts.elementsCreated;
            } catch (const DBKernel::DatabaseError& e) {
                fail(record.line, Core::userMessage(e));
            } catch (const Core::Csv::Error&) {
                throw;
            } catch (const std::runtime_error& e) {
                fail(record.line, e.what());
            }
        }
        guard.commit();
    } catch (const Core::Csv::Error& e) {
        throw std::runtime_error(name + ", " + e.what());
    }
    return counts;
}

std::int64_t exportConditions(std::ostream& out, const TSessionHolder& session) {
    Core::Csv::Writer writer(out);
    writer.write(std::vector<std::string>(kColumns.begin(), kColumns.end()));
    DBKernel::Sql::PreparedQuery query(
        "select lTowarRef, dCenaSprzed, dataOd, dataDo, lPromoRef, byDeleted, byBlokada from warsprz "
        "order by lTowarRef, dataOd, lWarSprzRef",
        session);
    query.execute();
    std::int64_t written = 0;
    const auto optional = [&](const char* column) { return query[column].isNull() ? std::string() : query[column].asString(); };
    while (query.next()) {
        writer.write(std::vector<std::string>{query["lTowarRef"].asString(),
                                              Core::Price(query["dCenaSprzed"].asDouble()).toString(),
                                              Core::DayNumber::toText(query["dataOd"].asDouble()),
                                              Core::DayNumber::toText(query["dataDo"].asDouble()), optional("lPromoRef"),
                                              optional("byDeleted"), optional("byBlokada")});
        ++written;
    }
    return written;
}

}  // namespace Towary::Host::Products
