#include "tests/support/TowaryStore.h"

namespace {

class RightsCommand : public TestSupport::TowaryStore {
protected:
    RightsCommand() {
        exec("insert into uzytkownik (luzytkref, snazwa) values (7, 'Kierownik')",
             "insert into grupauzytkownikow (lgrupyuzytkref, snazwa) values (3, 'Kasjerzy')");
    }
    TestSupport::RunResult rights(const std::vector<std::string>& args) const { return run("rights", args); }
};

TEST_F(RightsCommand, SetShowAndEraseAUsersEntries) {
    expectOutput(rights({"show", "7"}),
                 "Uprawnienia użytkownika 7: brak wpisów, wszystkie uprawnienia do wszystkich grup.\n");
    expectOutput(rights({"set", "7", "01", "przegladanie, modyfikacja-towaru"}),
                 "Uprawnienia użytkownika 7 do grupy 01: YONONOYONONONO  przegladanie, modyfikacja-towaru.\n");
    expectOutput(rights({"set", "7", "0102", "brak"}),
                 "Uprawnienia użytkownika 7 do grupy 0102: NONONONONONONO  -.\n");
    expectOutput(rights({"set", "7", "02", "YINIYONONONONO"}),
                 "Uprawnienia użytkownika 7 do grupy 02: YINIYONONONONO  przegladanie, dodawanie-grupy.\n");
    const std::string entries = "Uprawnienia użytkownika 7:\n  01  YONONOYONONONO  przegladanie, modyfikacja-towaru\n"
                                "  0102  NONONONONONONO  -\n  02  YINIYONONONONO  przegladanie, dodawanie-grupy\n";
    expectOutput(rights({"show", "7", "--group", "010203"}),
                 entries + "Grupa 010203: NONONONONONONO  -; w części hierarchii danej użytkownikowi: tak.\n");
    expectOutput(rights({"show", "7", "--group", "03"}),
                 entries + "Grupa 03: NININININININI  -; w części hierarchii danej użytkownikowi: nie.\n");

    expectOutput(rights({"erase", "7", "0102"}), "Usunięto wpis 0102 z uprawnień użytkownika 7.\n");
    expectFailure(rights({"erase", "7", "0102"}), "Uprawnienia użytkownika 7 nie mają wpisu dla grupy 0102.");
    const auto rows = sql("select sgrindex, przegladaniegrupy, dodawaniegrupy, rekordemzarzadza from uzytkgrouprights");
    EXPECT_NE(rows.out.find("02"), std::string::npos) << rows.out;
    EXPECT_EQ(rows.out.find("0102"), std::string::npos) << rows.out;
}

TEST_F(RightsCommand, UserGroupsRefusalsLeaveTheStoreAsItWas) {
    expectOutput(rights({"set", "3", "05", "wszystkie", "--group-of-users"}),
                 "Uprawnienia grupy użytkowników 3 do grupy 05: YOYOYOYOYOYOYO  przegladanie, dodawanie-towaru, "
                 "dodawanie-grupy, modyfikacja-towaru, modyfikacja-grupy, usuwanie-towaru, usuwanie-grupy.\n");
    expectOutput(rights({"show", "3", "--group-of-users"}),
                 "Uprawnienia grupy użytkowników 3:\n  05  YOYOYOYOYOYOYO  przegladanie, dodawanie-towaru, "
                 "dodawanie-grupy, modyfikacja-towaru, modyfikacja-grupy, usuwanie-towaru, usuwanie-grupy\n");
    expectOutput(rights({"show", "1"}),
                 "Uprawnienia użytkownika 1: brak wpisów, wszystkie uprawnienia do wszystkich grup.\n");
    expectFailure(rights({"show", "3"}), "Nie ma użytkownika o identyfikatorze 3.");
    expectFailure(rights({"sql", "4", "--group-of-users"}), "Nie ma grupy użytkowników o identyfikatorze 4.");

    expectFailure(rights({"set", "7", "0x", "brak"}), "Indeks grupy towarów \"0x\" może zawierać tylko cyfry.");
    const std::string known = " Uprawnienia to: przegladanie, dodawanie-towaru, dodawanie-grupy, modyfikacja-towaru, "
                              "modyfikacja-grupy, usuwanie-towaru, usuwanie-grupy (albo \"wszystkie\", \"brak\" lub 14 "
                              "znaków Y/N i I/O).";
    for (const auto& [given, reason] : std::vector<std::pair<std::string, std::string>>{
             {"przegladanie,pisanie", "Nieznane uprawnienie \"pisanie\"."},
             {"YIYIYIYIYIYIYX", "Nieznane uprawnienie \"YIYIYIYIYIYIYX\"."},
             {"", "Nie podano uprawnień."},
             {" , ", "Nie podano uprawnień."}})
        expectFailure(rights({"set", "7", "01", given}), reason + known);
    expectBadUsage(rights({"set", "0", "01", "brak"}), "Identyfikator właściciela uprawnień");
    expectBadUsage(rights({"sql", "7", "--writer", "all"}), "all");
    expectBadUsage(rights({"sql", "7", "--alias", "t;drop"}), "alias \"t;drop\" to nie nazwa tabeli");
    expectOutput(sql("select count(*) n from uzytkgrouprights"), "n\n1\n");
}

// Which rows each writer's fragment selects is the writers' (tests/rights), and what find shows a user is find's;
// here that each --writer, --index and --alias reaches its own, told by a piece of its text.
TEST_F(RightsCommand, SqlPrintsEachWritersFragment) {
    for (const auto& [index, text] : std::vector<std::pair<std::string, std::string>>{
             {"01", "YONONONONONONO"}, {"0102", "NONONONONONONO"}, {"03", "YONONONONONONO"}})
        ASSERT_EQ(rights({"set", "7", index, text}).exitCode, 0);
    for (const auto& [args, piece] : std::vector<std::pair<std::vector<std::string>, std::string>>{
             {{"sql", "7"}, "((1 = 0 or sgrindex like '01%' or sgrindex like '03%' )"},
             {{"sql", "7", "--writer", "avail", "--alias", "t"}, " and (t.sgrindex like '01%' or t.sgrindex like"},
             {{"sql", "7", "--writer", "not-avail"}, "\t\t\tand exists (select 1 from dual where ("},
             {{"sql", "7", "--writer", "visible", "--index", "01"}, " and (bycode <> 6 /*tcTowar*/ and sgrindex in"},
             // The items of a department are its sectors (byCode 2) and its own products.
             {{"sql", "7", "--writer", "items", "--index", "01", "--alias", "t"},
              " and t.sgrindex like '01%' and (t.bycode = 2 "},
             {{"sql", "7", "--writer", "items", "--index", "0102"}, " and sgrindex like ''\n"}}) {
        const auto result = rights(args);
        expectSuccess(result);
        EXPECT_EQ(result.out.rfind(piece, 0), 0u) << result.out;
    }
}

TEST_F(RightsCommand, AnIndexMustNameAGroupOfTheHierarchy) {
    const std::string tooDeep = "0101" + std::string(19, '9');
    const std::string tooLong = "Indeks grupy jest za długi: jego długość to 23, a indeks grupy ostatniego poziomu "
                                "hierarchii ma długość 12.";
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"set", "7", tooDeep, "brak"}, {"show", "7", "--group", tooDeep}, {"sql", "7", "--index", tooDeep}})
        expectFailure(rights(args), tooLong);
    expectFailure(rights({"set", "7", "", "brak"}), "Nie podano indeksu grupy.");
    expectFailure(rights({"erase", "7", ""}), "Nie podano indeksu grupy.");
    expectOutput(sql("select count(*) n from uzytkgrouprights"), "n\n0\n");
    // The last level has no sub-groups: its items are its products.
    expectOutput(rights({"sql", "7", "--writer", "items", "--index", "010101001001"}),
                 " and sgrindex like '010101001001%' and (bycode = 6 or (bycode = 6 /* Towar::Article */ and "
                 "sgrindex = '010101001001'))\n");
}

}  // namespace
