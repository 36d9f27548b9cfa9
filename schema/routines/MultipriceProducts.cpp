#include "Core/Database/Query.h"
#include "Core/Database/RefPool.h"
#include "Core/Price/PriceIndexSuffix.h"
#include "Core/tools/DayNumber.h"
#include "schema/routines/StoreRoutines.h"

#include <stdexcept>

namespace DBKernel::Schema {
namespace {

constexpr int kGroupingType = 9;
constexpr int kOrdinaryType = 4;
constexpr unsigned kPriceChangeBit = 1u << 3;  // the class attribute "Zmiana ceny"

double now() { return Core::DayNumber::now(); }

// The grouping row of a multi-price ware, or a refusal in Polish.
struct GroupingRow {
    std::string groupIndex;
    std::string articleIndex;
    unsigned attributes;
    unsigned mask;
};

GroupingRow groupingRow(TSessionHolder& session, std::int64_t id) {
    Sql::PreparedQuery query("select sGrIndex, sArtIndex, byTyp, bAtrWart, bAtrMask from towar where lTowarRef = :id",
                             session);
    query.Params["id"] = id;
    query.execute();
    if (query.empty() || query["byTyp"].asInt() != kGroupingType)
        throw std::runtime_error("Towar o ID = " + std::to_string(id) +
                                 " nie jest towarem wielocenowym (wierszem grupującym typu 9).");
    return {query["sGrIndex"].asString(), query["sArtIndex"].asString(),
            static_cast<unsigned>(query["bAtrWart"].asInt64()), static_cast<unsigned>(query["bAtrMask"].asInt64())};
}

// getOrCreateElement: the element of the ware that has a sale condition at
// the price (the lowest id), or a new element for it, copied from the ware's
// first element (or the grouping row when it has none), its article index
// the ware's followed by the price in grosze.
void getOrCreateElement(ProcedureCall& call) {
    auto& session = call.session();
    const auto ware = toInt64(call.in("grouppingProductId"));
    const Core::Price price(toDouble(call.in("salePrice")));
    const auto grouping = groupingRow(session, ware);

    Sql::PreparedQuery found(
        "select t.lTowarRef, t.sArtIndex from towar t where t.sGrIndex = :g and t.bWieleCen = 1 and exists "
        "(select 1 from warsprz w where w.lTowarRef = t.lTowarRef and round(w.dCenaSprzed, 2) = round(:price, 2)) "
        "order by t.lTowarRef",
        session);
    found.Params["g"] = grouping.groupIndex;
    found.Params["price"] = price.toDouble();
    found.execute();
    if (!found.empty()) {
        call.out("productid", found["lTowarRef"].asInt64());
        call.out("productIndex", found["sArtIndex"].asString());
        return;
    }
    if (toInt64(call.in("verifyProductClass")) != 0 && (grouping.mask & kPriceChangeBit) != 0 &&
        (grouping.attributes & kPriceChangeBit) == 0)
        throw std::runtime_error("Klasa towaru o indeksie " + grouping.articleIndex +
                                 " nie pozwala na zmianę ceny: nie założono elementu o cenie " + price.toString() +
                                 ".");

    const auto index = grouping.articleIndex + Core::priceIndexSuffix(price);
    Sql::PreparedQuery taken("select 1 from towar where sArtIndex = :index", session);
    taken.Params["index"] = index;
    taken.execute();
    if (!taken.empty())
        throw std::runtime_error("Indeks " + index + " nowego elementu o cenie " + price.toString() +
                                 " ma już inny towar.");

    // The new element copies the ware's first element, or the grouping row when it has none.
    Sql::PreparedQuery first("select min(lTowarRef) id from towar where sGrIndex = :g and bWieleCen = 1", session);
    first.Params["g"] = grouping.groupIndex;
    first.execute();
    const auto source = first["id"].isNull() ? ware : first["id"].asInt64();

    const auto id = RefPool::instance().getRef(session);
    Sql::Command insert(
        "insert into towar (lTowarRef, sNazwa, sKrNazwa, sGrIndex, sArtIndex, byVAT, byCode, byTyp, nJmSprz, "
        "nJmBase, bWagowy, lKlasaRef, bAtrWart, bAtrMask, nStatusAktywnosci, bWieleCen, dCenaSprzed, lUzytkRef, "
        "czasMod, czasUtworzenia) "
        "select :id, sNazwa, sKrNazwa, sGrIndex, :index, byVAT, 6, case when byTyp = 9 then :ordinary else byTyp end, "
        "nJmSprz, nJmBase, bWagowy, lKlasaRef, bAtrWart, bAtrMask, nStatusAktywnosci, 1, :price, :user, :now, :now "
        "from towar where lTowarRef = :source",
        session);
    insert.Params["id"] = id;
    insert.Params["index"] = index;
    insert.Params["ordinary"] = kOrdinaryType;
    insert.Params["price"] = price.toDouble();
    insert.Params["user"] = toInt64(call.in("userId"));
    insert.Params["now"] = now();
    insert.Params["source"] = source;
    insert.execute();
    call.out("productid", id);
    call.out("productIndex", index);
}

// updateElements: the elements of a ware take what the grouping row says of
// them all: name, short name, VAT, units, class and activity status.
void updateElements(ProcedureCall& call) {
    Sql::Command update(
        "update towar set (sNazwa, sKrNazwa, byVAT, nJmSprz, nJmBase, lKlasaRef, bAtrWart, bAtrMask, "
        "nStatusAktywnosci) = (select g.sNazwa, g.sKrNazwa, g.byVAT, g.nJmSprz, g.nJmBase, g.lKlasaRef, g.bAtrWart, "
        "g.bAtrMask, g.nStatusAktywnosci from towar g where g.sGrIndex = towar.sGrIndex and g.byTyp = 9 "
        "and g.bWieleCen = 0) where sGrIndex = :g and bWieleCen = 1 and exists (select 1 from towar g where "
        "g.sGrIndex = :g and g.byTyp = 9 and g.bWieleCen = 0)",
        call.session());
    update.Params["g"] = toString(call.in("groupIdex"));
    update.execute();
}

// createProductsForStocktaking: every multi-price ware's grouping row joins
// the stocktaking's products (once); its elements are counted through it.
void createProductsForStocktaking(ProcedureCall& call) {
    auto& session = call.session();
    const auto stocktaking = toInt64(call.in("linwopisref_par"));
    Sql::PreparedQuery exists("select 1 from InwOpis where lInwOpisRef = :id", session);
    exists.Params["id"] = stocktaking;
    exists.execute();
    if (exists.empty())
        throw std::runtime_error("Nie ma inwentaryzacji o ID = " + std::to_string(stocktaking) + ".");
    Sql::PreparedQuery wares(
        "select lTowarRef from towar t where byTyp = 9 and bWieleCen = 0 and not exists (select 1 from InwPoz p "
        "where p.lInwOpisRef = :id and p.lTowarRef = t.lTowarRef) order by lTowarRef",
        session);
    wares.Params["id"] = stocktaking;
    wares.execute();
    Sql::Command insert("insert into InwPoz (lInwPozRef, lInwOpisRef, lTowarRef, lUzytkRef, czasMod) values "
                        "(:ref, :id, :product, :user, :now)",
                        session);
    insert.Params["id"] = stocktaking;
    insert.Params["user"] = toInt64(call.in("luzytkref_par"));
    insert.Params["now"] = now();
    while (wares.next()) {
        insert.Params["ref"] = RefPool::instance().getRef(session);
        insert.Params["product"] = wares["lTowarRef"].asInt64();
        insert.execute();
    }
}

}  // namespace

void addMultipriceProducts(Routines& routines) {
    routines.addProcedure("multipriceproducts.getOrCreateElement", getOrCreateElement);
    routines.addProcedure("multipriceproducts.updateElements", updateElements);
    routines.addProcedure("multipriceproducts.createProductsForStocktaking", createProductsForStocktaking);
}

}  // namespace DBKernel::Schema
