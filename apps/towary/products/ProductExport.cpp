#include "apps/towary/products/ProductExport.h"

#include "Core/Database/Query.h"
#include "Core/tools/Csv.h"
#include "apps/towary/products/ProductFile.h"

namespace Towary::Host::Products {
namespace {

// Products and codes come in the same order, so that the codes of each
// product follow it in one pass over both.
const char* const kProducts = "select * from towar t order by t.sGrIndex, t.byCode, t.sArtIndex, t.lTowarRef";
const char* const kCodes =
    "select p.* from plu p, towar t where p.lTowarRef = t.lTowarRef"
    " order by t.sGrIndex, t.byCode, t.sArtIndex, t.lTowarRef, p.lPluRef";

}  // namespace

ImportCounts exportProducts(std::ostream& out, const TSessionHolder& session) {
    const auto tables = ProductTables::read(session);
    const auto layout = ProductFileLayout::full(tables);
    Core::Csv::Writer writer(out);
    const auto header = layout.header();
    writer.write(header);

    // The field of each table's column, in the table's order.
    std::vector<std::size_t> towarFields, pluFields;
    for (std::size_t i = 0; i < tables.towar.size(); ++i) towarFields.push_back(*layout.towarField(i));
    for (std::size_t i = 0; i < tables.plu.size(); ++i) pluFields.push_back(*layout.pluField(i));

    DBKernel::Sql::OpenedQuery products(kProducts, session);
    DBKernel::Sql::OpenedQuery codes(kCodes, session);
    const auto productId = products["lTowarRef"];
    const auto codeProduct = codes["lTowarRef"];
    bool codesLeft = codes.next();

    ImportCounts counts;
    std::vector<std::string> fields(header.size());
    while (products.next()) {
        std::fill(fields.begin(), fields.end(), std::string());
        for (std::size_t i = 0; i < towarFields.size(); ++i) fields[towarFields[i]] = products.field(i).asString();
        writer.write(fields);
        ++counts.products;
        const auto id = productId.asInt64();
        for (; codesLeft && codeProduct.asInt64() == id; codesLeft = codes.next()) {
            std::fill(fields.begin(), fields.end(), std::string());
            for (std::size_t i = 0; i < pluFields.size(); ++i) fields[pluFields[i]] = codes.field(i).asString();
            writer.write(fields);
            ++counts.codes;
        }
    }
    return counts;
}

}  // namespace Towary::Host::Products
