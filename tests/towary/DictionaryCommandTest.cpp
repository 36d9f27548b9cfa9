#include "tests/support/ChildProcess.h"
#include "tests/support/TowaryStore.h"

#include <array>
#include <fstream>

namespace {

const std::string kHeader = "Id\tPowód zwrotu\tSkrót powodu zwrotu\tUsunięty\n";

class DictionaryCommand : public TestSupport::TowaryStore {
protected:
    std::string idOf(const std::string& text) const {
        return value("select ReturnReasonId from ReturnReason where ReturnReason = '" + text + "'");
    }
    std::string tillFile() const { return dir_ + "/outbox/tills/ReturnReasons.xml"; }
};

// What a reason may be is the module's (tests/ui); here that each change is told and a refused one saves nothing.
TEST_F(DictionaryCommand, ReasonsAreAddedDeletedRestoredAndSentEachChangeCheckedAgainstTheWholeList) {
    expectOutput(run("reasons", {"list"}), kHeader);
    const auto added = run("reasons", {"add", "Uszkodzony", "--shortcut", "USZ"});
    const auto id = idOf("Uszkodzony");
    expectOutput(added, "Dodano powód zwrotu:\n" + id + "\tUszkodzony\tUSZ\tnie\n");
    expectSuccess(run("reasons", {"add", "Źle zważony"}));
    const auto other = idOf("Źle zważony");
    const std::string ask = "Czy na pewno chcesz usunąć powód zwrotu 'Uszkodzony'? ";
    expectCases("reasons", {{{"delete", id, "--no"}, ask + "[nie]\nNic nie zmieniono.\n", 0},
                            {{"delete", id, "--yes"}, ask + "[tak]\nOznaczono jako usunięty powód zwrotu " + id + ".\n", 0},
                            {{"delete", id, "0" + id, "--yes"}, "Powód zwrotu " + id + " był już usunięty.\nNic nie zmieniono.\n", 0},
                            {{"delete", "999", "--yes"}, "Nie ma powodu zwrotu o identyfikatorze 999 (towary reasons list "
                                                         "pokazuje identyfikatory). Nic nie zapisano."},
                            {{"delete", "x"}, "Identyfikator powodu zwrotu \"x\" nie jest liczbą całkowitą.", 2},
                            {{"list"}, kHeader + id + "\tUszkodzony\tUSZ\ttak\n" + other + "\tŹle zważony\t\tnie\n", 0},
                            {{"restore", id, other, id}, "Przywrócono powód zwrotu " + id + ".\nPowód zwrotu " + other +
                                                             " nie był usunięty.\n", 0},
                            {{"list"}, kHeader + id + "\tUszkodzony\tUSZ\tnie\n" + other + "\tŹle zważony\t\tnie\n", 0}});
    expectFailureWith(run("reasons", {"delete", id}), "Pytanie bez odpowiedzi");

    // What the tills' file holds is the window's (tests/ui); here what the command tells of it, and what it refuses.
    // Ż typed as Z and a combining dot is stored as the one letter.
    const auto composed = run("reasons", {"add", "Z\xCC\x87le"});
    expectOutput(composed, "Dodano powód zwrotu:\n" + idOf("\xC5\xBBle") + "\t\xC5\xBBle\t\tnie\n");
    expectResult(run("reasons", {"send"}),
                 {0, "Plik dla kas: " + tillFile() + "\n", "Informacja: Pomyślnie wysłano powody zwrotów do kas.\n"});
    expectFailure(run("reasons", {"add", "Zwrot\xEF\xBF\xBF"}),
                  "Tekstu powodu zwrotu nie można wysłać do kas w pliku XML: znak U+FFFF (po „Zwrot”) nie jest "
                  "dopuszczalny w XML.");
    std::filesystem::remove_all(dir_ + "/outbox");
    exec("update ReturnReason set ReturnReason = 'Zwrot\xEF\xBF\xBF' where ReturnReasonId = " + id);
    expectFailure(run("reasons", {"send"}), "Nie wysłano powodów zwrotów do kas: Tekstu nie można zapisać w dokumencie "
                                            "XML: znak U+FFFF (po „Zwrot”) nie jest dopuszczalny w XML.");
    EXPECT_FALSE(std::filesystem::exists(tillFile()));
    exec("update ReturnReason set ReturnReason = 'Zwrot' where ReturnReasonId = " + id);
    std::filesystem::remove_all(dir_ + "/outbox");
    std::ofstream(dir_ + "/outbox") << "a file where the outbox should be";
    const auto refused = run("reasons", {"send"});
    expectFailureWith(refused, "towary: Nie wysłano powodów zwrotów do kas: ");
    EXPECT_EQ(refused.out, "") << "no file named when none was written";
}

TEST_F(DictionaryCommand, CommissionGroupsAreListedAndOnlyThoseWithoutRecipientsDeleted) {
    const std::string header = "Id\tNumer grupy\tNazwa\tWartość prowizji\tPoczątek obowiązywania\n";
    exec("insert into firma (lFirmaRef, sNazwa) values (1, 'Hurtownia Północ')",
         "insert into CommissionGroup (CommissionGroupId, CommissionNumber, Name, CommissionValue, DateFrom) values"
         " (11, 10, 'Chemia', 2.5, 45292), (12, 20, 'Kosmetyki', 3, 45300), (13, 30, 'Prasa', 1.25, 45301)",
         "insert into CommissionGroupRecipient (CommissionGroupRecipientId, CommissionGroupId, lFirmaRef) values (1, 12, 1)");
    expectOutput(run("commission", {"list"}), header + "11\t10\tChemia\t2.50\t2024-01-01\n"
                                                       "12\t20\tKosmetyki\t3.00\t2024-01-09\n13\t30\tPrasa\t1.25\t2024-01-10\n");
    const std::string ask = "Czy na pewno chcesz usunąć grupę '";
    expectResult(run("commission", {"delete", "11", "12", "--yes"}),
                 {1, ask + "Chemia'? [tak]\n" + ask + "Kosmetyki'? [tak]\n",
                  "Ostrzeżenie: Istnieją odbiorcy powiązani z grupą prowizyjną!\n\nUsunięcie nie powiodło się.\n"
                  "towary: Grupa prowizyjna 12 ma odbiorców. Nic nie usunięto.\n"});
    // A group given twice is asked about and deleted once.
    expectCases("commission", {{{"delete", "11", "--no"}, ask + "Chemia'? [nie]\nNic nie usunięto.\n", 0},
                               {{"delete", "11", "13", "011", "--yes"}, ask + "Chemia'? [tak]\n" + ask + "Prasa'? [tak]\n"
                                "Usunięto grupę prowizyjną 11.\nUsunięto grupę prowizyjną 13.\n", 0},
                               {{"list"}, header + "12\t20\tKosmetyki\t3.00\t2024-01-09\n", 0},
                               {{"delete", "11", "--yes"}, "Nie ma grupy prowizyjnej o identyfikatorze 11 (towary "
                                                           "commission list pokazuje identyfikatory). Nic nie usunięto."}});
}

// A second editor waits for the first or is refused, and neither loses what it saved; an open window leaves the store
// to other writers, and its lock dies with its process.
TEST_F(DictionaryCommand, ASecondEditorWaitsForTheFirstOrIsRefusedAndTheLockDiesWithTheWindow) {
    {
        TestSupport::ChildProcess first(REASON_WINDOW_HOLDER, {dir_});
        ASSERT_EQ(first.line(), "open\n");
        // The first window holds the list past the second's wait: the second is refused and changes nothing.
        expectFailure(run("reasons", {"add", "Za mały"}),
                      "Powodów zwrotów nie można teraz edytować: sklep trzyma inne okno powodów zwrotów albo inne "
                      "polecenie towary, które w nim zapisuje. Poczekaj, aż zapisze lub anuluje zmiany, i spróbuj "
                      "ponownie.");
        first.send("Uszkodzony\n");
        EXPECT_EQ(first.line(), "saved\n");
    }
    // The second starts while the first holds the list and waits for it; it then checks its
    // reason against the list as the first saved it.
    for (const auto& [saved, added, err] : std::vector<std::array<std::string, 3>>{
             {"Za mały\n", "ZA MAŁY", "towary: Nazwa powodu zwrotu 'Za mały' nie jest unikalna.\n"},
             {"Zła cena\n", "Niezgodny z opisem", ""}}) {
        SCOPED_TRACE(added);
        TestSupport::ChildProcess first(REASON_WINDOW_HOLDER, {dir_});
        ASSERT_EQ(first.line(), "open\n");
        TestSupport::ChildProcess second(std::string(TOWARY_BIN_DIR) + "/towary", {"reasons", "add", dir_, added});
        first.send(saved);
        EXPECT_EQ(first.line(), "saved\n");
        expectError(second.finish(), err, err.empty() ? 0 : 1);
    }
    EXPECT_EQ(sql("select ReturnReason from ReturnReason order by ReturnReason").out,
              "ReturnReason\nNiezgodny z opisem\nUszkodzony\nZa mały\nZła cena\n");

    TestSupport::ChildProcess window(REASON_WINDOW_HOLDER, {dir_});
    ASSERT_EQ(window.line(), "open\n");
    // The store's steps run, the PLU repair (tests/plu) among them.
    const auto evening = command("evening", {"--day", "2011-01-01"});
    expectContains(evening, {"{0A9C7BD6-2D5C-4FAC-85EE-03BEA0E1C429}  1       "});
    EXPECT_EQ(evening.out.find("błąd"), std::string::npos) << "every step completes:\n" << evening.out;
    expectSuccess(run("reasons", {"send"}));
    window.kill();  // the editor's process dies with the list locked
    expectSuccess(run("reasons", {"add", "Za duży"}));
}

}  // namespace
