#include "Core/Database/RefPool.h"
#include "Core/Kolektor/FileSet.h"
#include "Core/tools/DayNumber.h"
#include "Modules/Towary/Tools/devices/KolektorImpl.h"
#include "tests/devices/LabelStore.h"
#include "tests/support/ScriptedDialogs.h"

#include <set>
#include <sstream>

namespace {

using Core::Kolektor::TowarConditionOptions;
using Selection = Towar::CSelectTowarRefGrupaIndex::result_type;

class CollectorLabels : public LabelStore {
protected:
    CollectorLabels() {
        addProduct(1, "101", 2.5);
        addProduct(2, "102", 200000);
        addProduct(3, "103", -4);
        addProduct(4, "12A", 1);
        addProduct(5, "105", std::nan(""));
        addProduct(6, "106", 1, "0101", 3);
        addProduct(7, "107", 1);
        exec(session_, "update plu set byBlokada = 1 where lTowarRef = 7");
        addProduct(8, "108", 1.5, "0201");
    }

    // The records of the set written, sorted; "" when no set appeared. The set is removed.
    std::string send(const TowarConditionOptions& options, const Selection& selection = {}) {
        Etykiety::CKolektorImpl().write({}, options, selection);
        if (!std::filesystem::exists(Kolektor::directory()) || std::filesystem::is_empty(Kolektor::directory()))
            return "";
        const auto set = std::filesystem::directory_iterator(Kolektor::directory())->path();
        EXPECT_EQ(set.filename().string().size(), 9u) << set;
        std::istringstream records(readFile(set / "etykiety"));
        std::multiset<std::string> lines;
        for (std::string line; std::getline(records, line);) lines.insert(line);
        std::filesystem::remove_all(set);
        std::string text;
        for (const auto& line : lines) text += line + "\n";
        return text;
    }

    TestSupport::ScopedDialogs dialogs_;
};

TEST_F(CollectorLabels, SendsLiveUnblockedPricedCodesWithClampedPricesAndReportsInvalidOnes) {
    dialogs_->answers = {true, true};
    EXPECT_EQ(send({}), "101\t2.50\n102\t167771.16\n103\t0.00\n108\t1.50\n");
    const std::string reported = "Kod PLU \"12A\" zawiera znaki inne niż cyfry. Kod 12A nie zostanie wysłany.";
    EXPECT_EQ(dialogs_->transcript(), "options: " + reported + "\nviewer: Lista błędów:\n" + reported + "\n\n");
}

TEST_F(CollectorLabels, RightsRowsStockDaysAndSelectionNarrowTheProductsAndASetHasItsWholeId) {
    exec(session_, "delete from plu where lTowarRef = 4");
    TowarConditionOptions rights;
    rights.rights = true;
    EXPECT_EQ(send(rights), "101\t2.50\n102\t167771.16\n103\t0.00\n108\t1.50\n") << "no rights rows: every product";
    exec(session_, "insert into uzytkgrouprights (luzytkref, sgrindex, przegladaniegrupy, rekordemzarzadza) "
                   "values (1, '02', 1, 2)");
    EXPECT_EQ(send(rights), "108\t1.50\n") << "whatever rights the row holds";
    EXPECT_TRUE(dialogs_->shown.empty());

    const int day = Core::DayNumber::today();
    const auto today = std::to_string(day), tenDaysAgo = std::to_string(day - 10);
    exec(session_, "update towar set dLastSTNDate = " + today + " where lTowarRef in (1, 2)");
    exec(session_, "update towar set dLastSTNDate = " + tenDaysAgo + " where lTowarRef = 8");
    exec(session_, "insert into stn (lTowarRef, data, dStan) values (1, " + today + ", 5), (2, " + today + ", 0), (8, " +
                       tenDaysAgo + ", 3)");

    TowarConditionOptions options;
    options.stock = true;
    EXPECT_EQ(send(options), "101\t2.50\n108\t1.50\n");
    options.days = 5;
    EXPECT_EQ(send(options), "101\t2.50\n");
    options.stock = false;
    EXPECT_EQ(send(options), "101\t2.50\n102\t167771.16\n");

    TowarConditionOptions chosen;
    chosen.selection = true;
    EXPECT_EQ(send(chosen, Selection{{2}, {"02"}}), "102\t167771.16\n108\t1.50\n");
    EXPECT_EQ(send(chosen, Selection{}), "") << "nothing chosen, nothing sent, no set left behind";
    EXPECT_TRUE(std::filesystem::is_empty(Kolektor::directory()));

    DBKernel::RefPool::instance().reserveThrough(999999999, session_);
    Etykiety::CKolektorImpl().write({}, {}, {});
    EXPECT_TRUE(std::filesystem::is_regular_file(Kolektor::directory() / "1000000000" / "etykiety"))
        << "a set named after an id of ten digits keeps every digit";
}

}  // namespace
