#include "tests/support/StoreTriggers.h"
#include "tests/support/TowaryStore.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace {

// 2011-01-01, the processing day of the runs; changes up to the next day (40545) fall due.
constexpr const char* kDay = "2011-01-01";
const std::string kStatusChange = "{884036D8-8B1F-461C-AD8B-4BDB9ABD8787}";
const std::string kStockStatus = "{D07F6324-07F1-4788-8400-0D49225D0C4A}";
const std::string kRelease = "{4A2E6412-2C67-4C24-A097-A78B3D182365}";

class StatusEvening : public TestSupport::TowaryStore {
protected:
    void exec(const std::string& statement) const {
        const auto result = sql(statement);
        ASSERT_EQ(result.exitCode, 0) << statement << "\n" << result.err;
    }
    void addProduct(int id, int status, const std::string& artIndex = "", int type = 0, const std::string& group = "01",
                    double lastStockDay = 0) {
        exec(
            "insert into towar (lTowarRef, sNazwa, sGrIndex, sArtIndex, byCode, byTyp, nStatusAktywnosci, dLastSTNDate)"
            " values (" +
            std::to_string(id) + ", 'Towar " + std::to_string(id) + "', '" + group + "', '" +
            (artIndex.empty() ? std::to_string(100000 + id) : artIndex) + "', 6, " + std::to_string(type) + ", " +
            std::to_string(status) + ", " + std::to_string(lastStockDay) + ")");
    }
    // A planned change; applied: "null", "0" or "1".
    void plan(int id, int product, int status, int day, const std::string& applied = "null") {
        exec("insert into StatusChange (statuschangeid, productid, status, changedate, applied, czasMod) values (" +
             std::to_string(id) + ", " + std::to_string(product) + ", " + std::to_string(status) + ", " +
             std::to_string(day) + ", " + applied + ", 40000)");
    }
    void stock(int product, int day, double quantity) {
        exec("insert into stn (lTowarRef, data, dStan) values (" + std::to_string(product) + ", " +
             std::to_string(day) + ", " + std::to_string(quantity) + ")");
    }
    // The rows of a query, one a line, columns separated by spaces, without the header.
    std::string rows(const std::string& query) const {
        const auto result = sql(query);
        EXPECT_EQ(result.exitCode, 0) << result.err;
        std::istringstream lines(result.out);
        std::string line, text;
        std::getline(lines, line);
        while (std::getline(lines, line)) {
            for (auto& c : line)
                if (c == '\t') c = ' ';
            text += line + "\n";
        }
        return text;
    }
    std::string statuses() const { return rows("select lTowarRef, nStatusAktywnosci from towar order by lTowarRef"); }
    std::string log() const { return TestSupport::readFile(dir_ + "/log/evening-" + kDay + ".log"); }
    TestSupport::RunResult evening(const std::string& steps) const {
        set("Parametry programu / Odczyt wieczorny / Kroki", steps);
        return TestSupport::runTowary({"evening", dir_, "--day", kDay});
    }
};

TEST_F(StatusEvening, TheLatestChangeUpToTomorrowIsAppliedAndEveryDueChangeMarked) {
    addProduct(1, 1);
    plan(11, 1, 2, 40544);  // today: superseded by tomorrow's
    plan(12, 1, 3, 40545);
    addProduct(2, 1);
    plan(21, 2, 1, 40545);  // the status it has: counted, not written
    addProduct(3, 1);
    plan(31, 3, 4, 40545, "1");  // the latest is applied already
    plan(32, 3, 6, 40540, "0");  // an older one is not
    addProduct(4, 1);
    plan(41, 4, 7, 40546);  // the day after tomorrow
    addProduct(5, 1);
    plan(51, 5, 8, 40530, "0");
    exec("create table zapisy (lTowarRef integer)");
    TestSupport::afterWrites(dir_, "towar", "update of nStatusAktywnosci",
                             "insert into zapisy (lTowarRef) values (new.lTowarRef)");

    const auto first = evening(kStatusChange);
    EXPECT_EQ(first.exitCode, 0) << first.err;
    EXPECT_NE(log().find("  Zmieniono status dla 3 towarów.\n"), std::string::npos) << log();
    EXPECT_EQ(statuses(), "1 3\n2 1\n3 1\n4 1\n5 8\n");
    EXPECT_EQ(rows("select lTowarRef from zapisy order by lTowarRef"), "1\n5\n");
    EXPECT_EQ(rows("select statuschangeid, applied from StatusChange order by statuschangeid"),
              "11 1\n12 1\n21 1\n31 1\n32 1\n41 NULL\n51 1\n");

    const auto second = evening(kStatusChange);
    EXPECT_EQ(second.exitCode, 0) << second.err;
    EXPECT_NE(log().find("  Nie zmieniono statusu żadnego towaru.\n"), std::string::npos) << log();
}

TEST_F(StatusEvening, ProductsOfStatusFourOrEightWithoutStockAreWithdrawn) {
    addProduct(1, 4, "", 0, "01", 40500);
    stock(1, 40400, 5);  // an older stock day does not count
    stock(1, 40500, 0);
    addProduct(2, 8, "", 0, "01", 40500);
    stock(2, 40500, 3);
    addProduct(3, 1, "", 0, "01", 40500);  // another status, even at zero stock
    stock(3, 40500, 0);
    addProduct(4, 4);  // no stock row at all
    // Multi-price groups: the grouping row (type 9) and its elements count as one.
    addProduct(20, 1, "000020", 9, "0102");
    addProduct(21, 4, "00002001", 0, "0102", 40500);
    stock(21, 40500, 0);
    addProduct(22, 1, "00002002", 0, "0102", 40500);
    stock(22, 40500, 2);
    addProduct(30, 1, "000030", 9, "0103");
    addProduct(31, 8, "00003001", 0, "0103", 40500);
    stock(31, 40500, 0);
    addProduct(32, 1, "00003002", 0, "0103", 40500);
    stock(32, 40500, 0);

    const auto result = evening(kStockStatus);
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(statuses(), "1 5\n2 8\n3 1\n4 5\n20 1\n21 4\n22 1\n30 5\n31 5\n32 5\n");
}

TEST_F(StatusEvening, AFailingStepLeavesItsWritesUncommittedAndTheOthersGoOn) {
    exec(
        "insert into towar (lTowarRef, sNazwa, sArtIndex, byCode, nWagaSekcja, nWagaPLU, dataOstSprzed,"
        " nStatusAktywnosci) values (1, 'Schab', '000001', 6, 1, 5, 40000, 1)");
    plan(11, 1, 2, 40545);
    addProduct(2, 4);
    TestSupport::refuseWrites(dir_, "StatusChange", "update of applied", "Plan zmian jest zablokowany");

    const auto result = evening(kRelease + "\n" + kStatusChange + "\n" + kStockStatus);
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.out.find(kStatusChange + "  0       "), std::string::npos) << result.out;
    EXPECT_NE(log().find("  BŁĄD: Plan zmian jest zablokowany"), std::string::npos) << log();
    EXPECT_EQ(statuses(), "1 1\n2 5\n") << "the planned change is undone, the stock step did its work";
    EXPECT_EQ(rows("select applied from StatusChange"), "NULL\n");
    EXPECT_EQ(rows("select nWagaSekcja, nWagaPLU from towar where lTowarRef = 1"), "NULL NULL\n")
        << "the release before it stays";
    EXPECT_NE(log().find("              000001                   1                   5\n"), std::string::npos) << log();
}

}  // namespace
