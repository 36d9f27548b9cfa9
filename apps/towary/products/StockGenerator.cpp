#include "apps/towary/products/StockGenerator.h"

#include "Core/Database/Query.h"
#include "Core/tools/DayNumber.h"

#include <iterator>
#include <random>
#include <stdexcept>
#include <vector>

namespace Towary::Host::Products {
namespace {

// A document kind with the statuses it is drawn with: the open orders and
// the booked documents reserve, the others make the reservation's exclusions
// and its negative cases.
struct Kind {
    int type;
    int processing;
    int booking;
};

constexpr Kind kKinds[] = {
    {32, 1, 0}, {32, 1, 2}, {32, 5, 0}, {32, 1, 3},  // open orders, a processed one, a booked one
    {9, 0, 3},  {11, 0, 4}, {14, 0, 3}, {16, 0, 2},  // listed kinds, booked and not yet
    {20, 0, 3}, {36, 0, 1}, {38, 0, 5}, {12, 0, 3},  // and a kind the reservation does not list
};
constexpr int kDerivedSale = 35;
constexpr int kDerivedReturn = 33;

class StockWriter {
public:
    StockWriter(const StockOptions& options, const TSessionHolder& session)
        : options_(options),
          rng_(options.seed),
          stock_("insert into stn (lTowarRef, data, dStan) values (:product, :day, :quantity)", session),
          lastDay_("update towar set dLastSTNDate = :day where lTowarRef = :product", session),
          document_("insert into Dok (lDokRef, nTyp, nStatusPrzetw, nStatusKsieg, lPomocRef)"
                    " values (:id, :type, :processing, :booking, :derivedFrom)",
                    session),
          position_("insert into DokPoz (lDokPozRef, lDokRef, lTowarRef, dIlosc) values (:id, :document, :product,"
                    " :quantity)",
                    session),
          receipt_("insert into ParagPoz (lParagPozRef, lDokPozRef) values (:id, :position)", session),
          complaint_("insert into Reklamacja (lReklamacjaRef, lTowarRef, nWlasnosc, nMiejscePobytu)"
                     " values (:id, :product, :owner, :place)",
                     session) {
        DBKernel::Sql::OpenedQuery products("select lTowarRef from towar where byCode = 6 order by lTowarRef", session);
        while (products.next()) products_.push_back(products["lTowarRef"].asInt());
    }

    StockCounts run() {
        if (options_.documents > 0 && products_.empty())
            throw std::runtime_error("Sklep nie ma towarów, których mogłyby dotyczyć dokumenty.");
        writeStock();
        writeDocuments();
        return counts_;
    }

private:
    std::int64_t below(std::int64_t bound) {
        return std::uniform_int_distribution<std::int64_t>(0, bound - 1)(rng_);
    }
    int product() { return products_[static_cast<std::size_t>(below(static_cast<std::int64_t>(products_.size())))]; }

    void writeStock() {
        if (options_.stockDays <= 0) return;
        const std::int64_t today = Core::DayNumber::today();
        for (int id : products_) {
            for (std::int64_t day = today - options_.stockDays + 1; day <= today; ++day) {
                stock_.Params["product"] = id;
                stock_.Params["day"] = day;
                stock_.Params["quantity"] = static_cast<double>(below(1000)) / 4;
                stock_.execute();
                ++counts_.stockRows;
            }
            lastDay_.Params["product"] = id;
            lastDay_.Params["day"] = today;
            lastDay_.execute();
        }
    }

    void writeDocuments() {
        for (std::int64_t n = 0; n < options_.documents; ++n) {
            const std::int64_t id = ++counts_.documents;
            const Kind& kind = kKinds[below(static_cast<std::int64_t>(std::size(kKinds)))];
            addDocument(id, kind.type, kind.processing, kind.booking, 0);
            std::vector<std::int64_t> positions;
            for (std::int64_t p = 0; p < options_.positionsPerDocument; ++p) positions.push_back(addPosition(id, product()));
            if (kind.type != 32) continue;
            // One order in five is sold on a receipt, one in five passed on to a derived document.
            const auto fate = below(5);
            if (fate == 0) addReceipt(positions.front());
            if (fate == 1 && n + 1 < options_.documents) {
                ++n;
                const std::int64_t derived = ++counts_.documents;
                addDocument(derived, below(2) ? kDerivedSale : kDerivedReturn, static_cast<int>(below(7)), 0, id);
                addReceipt(addPosition(derived, product()));
            }
        }
        for (int id : products_)
            if (below(50) == 0) {
                complaint_.Params["id"] = ++counts_.complaints;
                complaint_.Params["product"] = id;
                complaint_.Params["owner"] = 1 + below(2);
                complaint_.Params["place"] = 1 + below(2);
                complaint_.execute();
            }
    }

    void addDocument(std::int64_t id, int type, int processing, int booking, std::int64_t derivedFrom) {
        document_.Params["id"] = id;
        document_.Params["type"] = type;
        document_.Params["processing"] = processing;
        document_.Params["booking"] = booking;
        if (derivedFrom)
            document_.Params["derivedFrom"] = derivedFrom;
        else
            document_.Params["derivedFrom"].clear();
        document_.execute();
    }

    std::int64_t addPosition(std::int64_t document, int productId) {
        const std::int64_t id = ++counts_.positions;
        position_.Params["id"] = id;
        position_.Params["document"] = document;
        position_.Params["product"] = productId;
        position_.Params["quantity"] = static_cast<double>(1 + below(40)) / 2;
        position_.execute();
        return id;
    }

    void addReceipt(std::int64_t position) {
        receipt_.Params["id"] = ++receipts_;
        receipt_.Params["position"] = position;
        receipt_.execute();
    }

    const StockOptions& options_;
    std::mt19937_64 rng_;
    DBKernel::Sql::Command stock_, lastDay_, document_, position_, receipt_, complaint_;
    std::vector<int> products_;
    std::int64_t receipts_ = 0;
    StockCounts counts_;
};

}  // namespace

StockCounts generateStock(const StockOptions& options, const TSessionHolder& session) {
    DBKernel::TransactionGuard guard(session);
    auto counts = StockWriter(options, session).run();
    guard.commit();
    return counts;
}

}  // namespace Towary::Host::Products
