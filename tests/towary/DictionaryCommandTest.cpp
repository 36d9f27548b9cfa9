#include "tests/support/ChildProcess.h"
#include "tests/support/TowaryStore.h"

#include <array>
#include <fstream>

namespace {

using TestSupport::ChildProcess;
using TestSupport::RunResult;

const std::string kHeader = "Id\tPowód zwrotu\tSkrót powodu zwrotu\tUsunięty\n";

class DictionaryCommand : public TestSupport::TowaryStore {
protected:
    // The id of the reason of the text, from the store.
    std::string idOf(const std::string& text) const {
        const auto result = sql("select ReturnReasonId from ReturnReason where ReturnReason = '" + text + "'");
        const auto line = result.out.find('\n');  // the column's name, then the value
        return result.out.substr(line + 1, result.out.find('\n', line + 1) - line - 1);
    }
    std::string tillFile() const { return dir_ + "/outbox/tills/ReturnReasons.xml"; }
};

TEST_F(DictionaryCommand, ReasonsAreAddedDeletedAndRestoredEachChangeCheckedAgainstTheWholeList) {
    expectOutput(run("reasons", {"list"}), kHeader);
    const auto added = run("reasons", {"add", "Uszkodzony", "--shortcut", "USZ"});
    const auto id = idOf("Uszkodzony");
    expectOutput(added, "Dodano powód zwrotu:\n" + id + "\tUszkodzony\tUSZ\tnie\n");
    const auto second = run("reasons", {"add", "Źle zważony"});
    const auto other = idOf("Źle zważony");
    expectOutput(second, "Dodano powód zwrotu:\n" + other + "\tŹle zważony\t\tnie\n");

    // What a reason may be is the module's (tests/ui); a refused one is told and nothing is saved.
    expectFailure(run("reasons", {"add", "USZKODZONY"}), "Nazwa powodu zwrotu 'Uszkodzony' nie jest unikalna.");

    expectOutput(run("reasons", {"delete", id, "--no"}),
                 "Czy na pewno chcesz usunąć powód zwrotu 'Uszkodzony'? [nie]\nNic nie zmieniono.\n");
    expectFailureWith(run("reasons", {"delete", id}), "Pytanie bez odpowiedzi");
    expectOutput(run("reasons", {"delete", id, "--yes"}),
                 "Czy na pewno chcesz usunąć powód zwrotu 'Uszkodzony'? [tak]\nOznaczono jako usunięty powód zwrotu " +
                     id + ".\n");
    expectOutput(run("reasons", {"delete", id, "0" + id, "--yes"}),
                 "Powód zwrotu " + id + " był już usunięty.\nNic nie zmieniono.\n");
    expectFailure(run("reasons", {"delete", "999", "--yes"}),
                  "Nie ma powodu zwrotu o identyfikatorze 999 (towary reasons list pokazuje identyfikatory). Nic nie "
                  "zapisano.");
    expectOutput(run("reasons", {"list"}),
                 kHeader + id + "\tUszkodzony\tUSZ\ttak\n" + other + "\tŹle zważony\t\tnie\n");

    expectOutput(run("reasons", {"restore", id, other, id}),
                 "Przywrócono powód zwrotu " + id + ".\nPowód zwrotu " + other + " nie był usunięty.\n");
    expectOutput(run("reasons", {"list"}), kHeader + id + "\tUszkodzony\tUSZ\tnie\n" + other + "\tŹle zważony\t\tnie\n");
    expectBadUsage(run("reasons", {"delete", "x"}), "Identyfikator powodu zwrotu \"x\" nie jest liczbą całkowitą.");
}

TEST_F(DictionaryCommand, SendingWritesTheTillsFileWholeIntoTheOutbox) {
    run("reasons", {"add", "Uszkodzony", "--shortcut", "USZ"});
    run("reasons", {"add", "Wycofany"});
    run("reasons", {"delete", idOf("Wycofany"), "--yes"});
    expectResult(run("reasons", {"send"}),
                 {0, "Plik dla kas: " + tillFile() + "\n", "Informacja: Pomyślnie wysłano powody zwrotów do kas.\n"});
    EXPECT_EQ(TestSupport::readFile(tillFile()),
              "<ReturnReasons><ReturnReason><Id>" + idOf("Uszkodzony") +
                  "</Id><Text>Uszkodzony</Text><Shortcut>USZ</Shortcut></ReturnReason></ReturnReasons>");

    std::filesystem::remove_all(dir_ + "/outbox");
    std::ofstream(dir_ + "/outbox") << "a file where the outbox should be";
    const auto refused = run("reasons", {"send"});
    expectFailureWith(refused, "towary: Nie wysłano powodów zwrotów do kas: ");
    EXPECT_EQ(refused.out, "") << "no file named when none was written";
}

TEST_F(DictionaryCommand, CommissionGroupsAreListedAndOnlyThoseWithoutRecipientsDeleted) {
    const std::string header = "Id\tNumer grupy\tNazwa\tWartość prowizji\tPoczątek obowiązywania\n";
    expectOutput(run("commission", {"list"}), header);
    exec("insert into firma (lFirmaRef, sNazwa) values (1, 'Hurtownia Północ')",
         "insert into CommissionGroup (CommissionGroupId, CommissionNumber, Name, CommissionValue, DateFrom) values"
         " (11, 10, 'Chemia', 2.5, 45292), (12, 20, 'Kosmetyki', 3, 45300), (13, 30, 'Prasa', 1.25, 45301)",
         "insert into CommissionGroupRecipient (CommissionGroupRecipientId, CommissionGroupId, lFirmaRef) values (1, 12, 1)");
    expectOutput(run("commission", {"list"}),
                 header + "11\t10\tChemia\t2.50\t2024-01-01\n"
                 "12\t20\tKosmetyki\t3.00\t2024-01-09\n"
                 "13\t30\tPrasa\t1.25\t2024-01-10\n");

    expectResult(run("commission", {"delete", "11", "12", "--yes"}),
                 {1, "Czy na pewno chcesz usunąć grupę 'Chemia'? [tak]\nCzy na pewno chcesz usunąć grupę 'Kosmetyki'? [tak]\n",
                  "Ostrzeżenie: Istnieją odbiorcy powiązani z grupą prowizyjną!\n\nUsunięcie nie powiodło się.\n"
                  "towary: Grupa prowizyjna 12 ma odbiorców. Nic nie usunięto.\n"});
    expectOutput(run("commission", {"delete", "11", "--no"}),
                 "Czy na pewno chcesz usunąć grupę 'Chemia'? [nie]\nNic nie usunięto.\n");
    // A group given twice is asked about and deleted once.
    expectOutput(run("commission", {"delete", "11", "13", "011", "--yes"}),
                 "Czy na pewno chcesz usunąć grupę 'Chemia'? [tak]\nCzy na pewno chcesz usunąć grupę 'Prasa'? [tak]\n"
                 "Usunięto grupę prowizyjną 11.\nUsunięto grupę prowizyjną 13.\n");
    expectOutput(run("commission", {"list"}), header + "12\t20\tKosmetyki\t3.00\t2024-01-09\n");
    expectFailure(run("commission", {"delete", "11", "--yes"}),
                  "Nie ma grupy prowizyjnej o identyfikatorze 11 (towary commission list pokazuje identyfikatory). Nic "
                  "nie usunięto.");
}

TEST_F(DictionaryCommand, ASecondEditorWaitsForTheFirstOrIsRefusedAndNeitherLosesWhatItSaved) {
    const std::string towary = std::string(TOWARY_BIN_DIR) + "/towary";
    {
        ChildProcess first(REASON_WINDOW_HOLDER, {dir_});
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
        ChildProcess first(REASON_WINDOW_HOLDER, {dir_});
        ASSERT_EQ(first.line(), "open\n");
        ChildProcess second(towary, {"reasons", "add", dir_, added});
        first.send(saved);
        EXPECT_EQ(first.line(), "saved\n");
        expectError(second.finish(), err, err.empty() ? 0 : 1);
    }
    const auto list = run("reasons", {"list"});
    for (const char* saved : {"Uszkodzony", "Za mały", "Zła cena", "Niezgodny z opisem"})
        EXPECT_NE(list.out.find(std::string("\t") + saved + "\t"), std::string::npos) << saved << "\n" << list.out;
    EXPECT_EQ(list.out.find("ZA MAŁY"), std::string::npos);
    EXPECT_EQ(sql("select count(*) n from ReturnReason").out, "n\n4\n");
}

TEST_F(DictionaryCommand, AnOpenWindowLeavesTheStoreToOtherWritersAndItsLockDiesWithItsProcess) {
    ChildProcess window(REASON_WINDOW_HOLDER, {dir_});
    ASSERT_EQ(window.line(), "open\n");
    // The store's steps run, the PLU repair (tests/plu) among them.
    const auto evening = command("evening", {"--day", "2011-01-01"});
    EXPECT_EQ(evening.exitCode, 0) << evening.out << evening.err;
    EXPECT_EQ(evening.out.find("błąd"), std::string::npos) << "every step completes:\n" << evening.out;
    expectIn(evening.out, {"{0A9C7BD6-2D5C-4FAC-85EE-03BEA0E1C429}  1       "});
    expectSuccess(run("reasons", {"send"}));

    window.kill();  // the editor's process dies with the list locked
    expectSuccess(run("reasons", {"add", "Za mały"}));
}

TEST_F(DictionaryCommand, AReasonIsKeptComposedAndOneTheTillsXmlCannotHoldIsNeverSent) {
    // Ż typed as Z and a combining dot is stored as the one letter.
    const auto added = run("reasons", {"add", "Z\xCC\x87le"});
    expectOutput(added, "Dodano powód zwrotu:\n" + idOf("\xC5\xBBle") + "\t\xC5\xBBle\t\tnie\n");
    expectFailure(run("reasons", {"add", "\xC5\xBBLE"}), "Nazwa powodu zwrotu '\xC5\xBBle' nie jest unikalna.");
    expectFailure(run("reasons", {"add", "Zwrot\xEF\xBF\xBF"}),
                  "Tekstu powodu zwrotu nie można wysłać do kas w pliku XML: znak U+FFFF (po „Zwrot”) nie jest "
                  "dopuszczalny w XML.");

    exec("update ReturnReason set ReturnReason = 'Zwrot\xEF\xBF\xBF'");
    expectFailure(run("reasons", {"send"}),
                  "Nie wysłano powodów zwrotów do kas: Tekstu nie można zapisać w dokumencie XML: znak U+FFFF (po "
                  "„Zwrot”) nie jest dopuszczalny w XML.");
    EXPECT_FALSE(std::filesystem::exists(tillFile()));
}

}  // namespace

