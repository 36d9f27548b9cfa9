#include "tests/support/TowaryStore.h"

namespace {

const std::string kMilk = "ID 1, indeks 000123: Mleko łaciate; kody: 17, 5901234123457\n";

using TestSupport::TowaryStore;

// Which products an identifier finds is the identifier search's (tests/plu); here what find prints of them.
TEST_F(TowaryStore, FindByCodeIndexAndNameWithLiveCodesForTheUsersGroupsAndTheSqlTraceInTheStoresLog) {
    exec("insert into towar (lTowarRef, sNazwa, sGrIndex, sArtIndex, byCode, bWieleCen) values "
         "(1, 'Mleko łaciate', '01', '000123', 6, 0)",
         "insert into towar (lTowarRef, sNazwa, sGrIndex, byCode) values (3, 'Mleko i sery', '01', 4)",
         "insert into plu (lPluRef, sPLU, lTowarRef, byStatus) values (10, '5901234123457', 1, 1), "
         "(11, '17', 1, 2), (12, '59012344', 1, 3)");
    expectCases("", {{{"find", dir_, "/123"}, kMilk + "Znaleziono: 1.\n", 0},
                     // In the order of the names' index the search seeks.
                     {{"find", dir_, "MLEKO"}, "ID 3, indeks -: Mleko i sery; kody: brak\n" + kMilk + "Znaleziono: 2.\n", 0},
                     {{"find", dir_, "ser"}, "Nie znaleziono towaru dla identyfikatora \"ser\"."},
                     {{"find", dir_, ""}, "pusty identyfikator", 2}});
    // SQLite caps the length of a LIKE pattern; a server searches with any.
    if (!TestSupport::onServer())
        expectFailure(command("find", {"Mleko" + std::string(60000, '*')}), "Szukany tekst jest za długi; skróć go.");

    // What the trace records of each statement, and the range the search seeks by, are the layer's (tests/Core/Database).
    const auto log = std::filesystem::path(dir_) / "log" / "sql-trace.log";
    expectOutput(TestSupport::runTowary({"--trace-sql", "find", dir_, "/123"}), kMilk + "Znaleziono: 1.\n");
    const std::string trace = TestSupport::readFile(log);
    expectIn(trace, {"  |  \twhere sArtIndex like '%000123'\n", "parametry: :literal$1 = '000123';\n", "wiersze: 1\n"});
    EXPECT_EQ(trace.find("plan:"), std::string::npos) << "the plan only when asked";
    std::filesystem::remove(log);
    expectSuccess(TestSupport::runTowary({"--trace-sql=plan", "find", dir_, "/123"}));
    expectIn(TestSupport::readFile(log), {"plan:\n", "parametry: :id = 1;"});
    expectBadUsage(TestSupport::runTowary({"--trace-sql=wszystko", "find", dir_, "/123"}),
                   "--trace-sql przyjmuje tylko wartość plan (--trace-sql=plan), podano wszystko.");

    // A user sees only the products of the groups he may browse.
    // User 7 may browse department 02 but not its sector 0202; user 8 only department 03.
    exec("insert into towar (lTowarRef, sNazwa, sGrIndex, sArtIndex, byCode, bWieleCen) values "
         "(4, 'Mleko zagęszczone', '0201', '000125', 6, 0), (5, 'Mleko owsiane', '0202', '000126', 6, 0)",
         "insert into uzytkownik (luzytkref, snazwa) values (7, 'Kierownik nabiału'), (8, 'Magazynier')",
         "insert into uzytkgrouprights (luzytkref, sgrindex, przegladaniegrupy, rekordemzarzadza) values "
         "(7, '02', 4, 2), (7, '0202', 1, 2), (8, '03', 2, 2)");
    const auto outside = [](const std::string& identifier, const std::string& user) {
        return "Towary dla identyfikatora \"" + identifier + "\" leżą poza grupami, które może przeglądać użytkownik " +
               user + ".";
    };
    expectCases("", {{{"--user", "7", "find", dir_, "mleko"}, "ID 4, indeks 000125: Mleko zagęszczone; kody: brak\n"
                                                              "Znaleziono: 1.\n", 0},
                     {{"--user", "8", "find", dir_, "mleko"}, outside("mleko", "8")},
                     {{"--user", "7", "find", dir_, "/126"}, outside("/126", "7")},
                     {{"--user", "7", "products", "show", dir_, "1"}, outside("1", "7")},
                     // An id that is no user's is not taken for a user without entries, who would see everything.
                     {{"--user", "9", "find", dir_, "mleko"}, "Nie ma użytkownika o identyfikatorze 9."}});
    expectContains(TestSupport::runTowary({"--user", "1", "find", dir_, "mleko"}), {"Znaleziono: 4.\n"});
    expectContains(TestSupport::runTowary({"--user", "7", "products", "show", dir_, "4"}), {"Towar ID 4: Mleko zagęszczone\n"});
}

}  // namespace
