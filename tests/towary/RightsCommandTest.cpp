#include "tests/support/TowaryStore.h"

namespace {

const std::string kAll = "przegladanie, dodawanie-towaru, dodawanie-grupy, modyfikacja-towaru, modyfikacja-grupy, "
                         "usuwanie-towaru, usuwanie-grupy";

using TestSupport::TowaryStore;

TEST_F(TowaryStore, RightsSetShowAndEraseAUsersEntriesTheRefusalsLeaveThemAsTheyWereAndSqlPrintsEachWritersFragment) {
    exec("insert into uzytkownik (luzytkref, snazwa) values (7, 'Kierownik')",
         "insert into grupauzytkownikow (lgrupyuzytkref, snazwa) values (3, 'Kasjerzy')");
    const std::string user = "Uprawnienia użytkownika 7";
    const std::string entries = user + ":\n  01  YONONOYONONONO  przegladanie, modyfikacja-towaru\n"
                                       "  0102  NONONONONONONO  -\n  02  YINIYONONONONO  przegladanie, dodawanie-grupy\n";
    expectCases("rights", {{{"show", "7"}, user + ": brak wpisów, wszystkie uprawnienia do wszystkich grup.\n", 0},
                           {{"set", "7", "01", "przegladanie, modyfikacja-towaru"},
                            user + " do grupy 01: YONONOYONONONO  przegladanie, modyfikacja-towaru.\n", 0},
                           {{"set", "7", "0102", "brak"}, user + " do grupy 0102: NONONONONONONO  -.\n", 0},
                           {{"set", "7", "02", "YINIYONONONONO"},
                            user + " do grupy 02: YINIYONONONONO  przegladanie, dodawanie-grupy.\n", 0},
                           {{"show", "7", "--group", "010203"},
                            entries + "Grupa 010203: NONONONONONONO  -; w części hierarchii danej użytkownikowi: tak.\n", 0},
                           {{"show", "7", "--group", "03"},
                            entries + "Grupa 03: NININININININI  -; w części hierarchii danej użytkownikowi: nie.\n", 0},
                           {{"erase", "7", "0102"}, "Usunięto wpis 0102 z uprawnień użytkownika 7.\n", 0},
                           {{"erase", "7", "0102"}, user + " nie mają wpisu dla grupy 0102."},
                           {{"set", "3", "05", "wszystkie", "--group-of-users"},
                            "Uprawnienia grupy użytkowników 3 do grupy 05: YOYOYOYOYOYOYO  " + kAll + ".\n", 0},
                           {{"show", "3", "--group-of-users"},
                            "Uprawnienia grupy użytkowników 3:\n  05  YOYOYOYOYOYOYO  " + kAll + "\n", 0}});
    // The refusals leave the entries as they were.
    const auto entriesBefore = sql("select * from uzytkgrouprights order by sgrindex, luzytkref").out;
    const std::string known = " Uprawnienia to: " + kAll + " (albo \"wszystkie\", \"brak\" lub 14 znaków Y/N i I/O).";
    const std::string tooDeep = "0101" + std::string(19, '9');
    const std::string tooLong = "Indeks grupy jest za długi: jego długość to 23, a indeks grupy ostatniego poziomu "
                                "hierarchii ma długość 12.";
    expectCases("rights", {{{"show", "3"}, "Nie ma użytkownika o identyfikatorze 3."},
                           {{"sql", "4", "--group-of-users"}, "Nie ma grupy użytkowników o identyfikatorze 4."},
                           {{"set", "7", "0x", "brak"}, "Indeks grupy towarów \"0x\" może zawierać tylko cyfry."},
                           {{"set", "7", "01", "przegladanie,pisanie"}, "Nieznane uprawnienie \"pisanie\"." + known},
                           {{"set", "7", "01", "YIYIYIYIYIYIYX"}, "Nieznane uprawnienie \"YIYIYIYIYIYIYX\"." + known},
                           {{"set", "7", "01", ""}, "Nie podano uprawnień." + known},
                           {{"set", "7", "01", " , "}, "Nie podano uprawnień." + known},
                           {{"set", "7", tooDeep, "brak"}, tooLong},
                           {{"show", "7", "--group", tooDeep}, tooLong},
                           {{"sql", "7", "--index", tooDeep}, tooLong},
                           {{"set", "7", "", "brak"}, "Nie podano indeksu grupy."},
                           {{"erase", "7", ""}, "Nie podano indeksu grupy."},
                           {{"set", "0", "01", "brak"}, "Identyfikator właściciela uprawnień", 2},
                           {{"sql", "7", "--alias", "t;drop"}, "alias \"t;drop\" to nie nazwa tabeli", 2}});
    EXPECT_EQ(sql("select * from uzytkgrouprights order by sgrindex, luzytkref").out, entriesBefore);
    expectOutput(sql("select sgrindex from uzytkgrouprights order by sgrindex"), "sgrindex\n01\n02\n05\n");

    // Which rows each writer's fragment selects is the writers' (tests/rights); here that each --writer, --index and
    // --alias reaches its own, told by a piece of its text.
    for (const auto& [index, text] : {std::pair{"01", "YONONONONONONO"}, {"0102", "NONONONONONONO"}, {"02", "YONONONONONONO"}})
        expectSuccess(run("rights", {"set", "7", index, text}));
    for (const auto& [args, piece] : std::vector<std::pair<std::vector<std::string>, std::string>>{
             {{"sql", "7"}, "((1 = 0 or sgrindex like '01%' or sgrindex like '02%' )"},
             {{"sql", "7", "--writer", "avail", "--alias", "t"}, " and (t.sgrindex like '01%' or t.sgrindex like"},
             {{"sql", "7", "--writer", "not-avail"}, "\t\t\tand exists (select 1 from dual where ("},
             {{"sql", "7", "--writer", "visible", "--index", "01"}, " and (bycode <> 6 /*tcTowar*/ and sgrindex in"},
             // The items of a department are its sectors (byCode 2) and its own products.
             {{"sql", "7", "--writer", "items", "--index", "01", "--alias", "t"}, " and t.sgrindex like '01%' and (t.bycode = 2 "},
             {{"sql", "7", "--writer", "items", "--index", "0102"}, " and sgrindex like ''\n"}}) {
        const auto result = run("rights", args);
        expectSuccess(result);
        EXPECT_EQ(result.out.rfind(piece, 0), 0u) << result.out;
    }
    // The last level has no sub-groups: its items are its products.
    expectOutput(run("rights", {"sql", "7", "--writer", "items", "--index", "010101001001"}),
                 " and sgrindex like '010101001001%' and (bycode = 6 or (bycode = 6 /* Towar::Article */ and "
                 "sgrindex = '010101001001'))\n");
}

}  // namespace
