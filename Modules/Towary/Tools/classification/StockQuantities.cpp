#include "Modules/Towary/Tools/classification/StockQuantities.h"

#include "Core/Database/Query.h"

#include <boost/algorithm/string/join.hpp>

#include <initializer_list>
#include <vector>

namespace Towar {
namespace {

// The numbers in decimal, each pair separated by "," and the separator.
std::string numberList(std::initializer_list<int> numbers, const std::string& separator) {
    std::vector<std::string> texts;
    for (int number : numbers) texts.push_back(std::to_string(number));
    return boost::algorithm::join(texts, "," + separator);
}

// The statement's one column of its single row; 0 for NULL or no row.
double singleValue(const std::string& statement, const char* column, TSessionHolder session) {
    DBKernel::Sql::OpenedQuery query(statement, std::move(session));
    return query.empty() ? 0.0 : query[column].asDouble();
}

constexpr int kOpenOrderType = 32;
constexpr int kBookedStatus = 2;
constexpr int kDerivedSaleType = 35;
constexpr int kDerivedReturnType = 33;
constexpr int kOwnedByStore = 1;

}  // namespace

std::string stockSql(int productId) {
    const std::string id = std::to_string(productId);
    // No space before "and": the statement has always run the numeral and the keyword together.
    return "select dStan from Stn where lTowarRef = " + id + "and data=lastStnDate(" + id + ")";
}

std::string reservedSql(int productId, int excludedDocumentId) {
    const std::string id = std::to_string(productId);
    const std::string excluded = std::to_string(excludedDocumentId);
    std::string sql;
    sql += "\n select sum(dZarezerwIlosc) dZarezerwowane from ";
    sql += "\n (";
    sql += "\n select sum(dp.dIlosc) dZarezerwIlosc";
    sql += "\n from DokPoz dp, Dok d";
    sql += "\n where dp.lDokRef = d.lDokRef";
    sql += "\n   and d.lDokRef != " + excluded;
    sql += "\n   and dp.lTowarRef = " + id;
    sql += "\n   and d.nTyp = " + std::to_string(kOpenOrderType);
    sql += "\n   and d.nStatusPrzetw not in (" + numberList({4, 5, 6}, "\n     ") + ")";
    sql += "\n   and d.nStatusKsieg <= " + std::to_string(kBookedStatus);
    sql += "\n   and not exists";
    sql += "\n     (select * from ParagPoz where lDokPozRef = dp.lDokPozRef)";
    sql += "\n   and not exists (select * from ParagPoz where ";
    sql += "\n\t\t\t\tldokpozref in ";
    sql += "\n\t\t\t\t (select ldokpozref from dokpoz dpp, dok dd where ";
    sql += "\n\t\t\t\t\tdpp.ldokref = dd.ldokref and dpp.LTOWARREF = dp.ltowarref ";
    sql += "\n\t\t\t\t\tand  dd.ntyp = 35 and dd.lpomocref = d.ldokref) ";
    sql += "\n\t\t\t) ";
    sql += "\n   and not exists";
    sql += "\n     (select * from Dok";
    sql += "\n      where lPomocRef = d.lDokRef";
    sql += "\n        and nStatusPrzetw in (" + numberList({4, 5, 6}, "\n          ") + ")";
    sql += "\n        and nTyp in (" + numberList({kDerivedSaleType, kDerivedReturnType}, "\n          ") + "))";
    sql += "\n union all ";
    sql += "\n select sum(dp.dIlosc) dZarezerwIlosc";
    sql += "\n from DokPoz dp, Dok d";
    sql += "\n where dp.lDokRef = d.lDokRef";
    sql += "\n   and d.lDokRef != " + excluded;
    sql += "\n   and dp.lTowarRef = " + id;
    sql += "\n   and d.nTyp in (" + numberList({9, 11, 14, 16, 20, 36, 38}, "\n     ") + ")";
    sql += "\n   and d.nStatusKsieg > " + std::to_string(kBookedStatus);
    sql += "\n )";
    return sql;
}

std::string inServiceSql(int productId) {
    return "select count(*) dIlosc from Reklamacja r where r.lTowarRef = " + std::to_string(productId) +
           " and r.nWlasnosc = " + std::to_string(kOwnedByStore) + " and r.nMiejscePobytu = 1";
}

double calcStock(int productId, TSessionHolder session) {
    return singleValue(stockSql(productId), "dStan", std::move(session));
}

double calcReserved(int productId, int excludedDocumentId, TSessionHolder session) {
    return singleValue(reservedSql(productId, excludedDocumentId), "dZarezerwowane", std::move(session));
}

double calcInService(int productId, TSessionHolder session) {
    return singleValue(inServiceSql(productId), "dIlosc", std::move(session));
}

}  // namespace Towar
