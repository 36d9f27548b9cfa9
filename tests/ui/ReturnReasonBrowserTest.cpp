#include "Core/Store/StoreLocation.h"
#include "Modules/Towary/Tools/ui/ReturnReasonBrowser.h"
#include "tests/support/Failure.h"
#include "tests/support/RunTowary.h"
#include "tests/support/ServerDatabase.h"
#include "tests/ui/DictionaryStore.h"

#include <chrono>
#include <filesystem>
#include <fstream>

namespace {

using namespace Towary::ProductTools;
using TestSupport::failure;

const std::string kBusy =
    "Powodów zwrotów nie można teraz edytować: sklep trzyma inne okno powodów zwrotów albo inne polecenie towary, "
    "które w nim zapisuje. Poczekaj, aż zapisze lub anuluje zmiany, i spróbuj ponownie.";

class ReturnReasonWindow : public DictionaryStore {
protected:
    // A window whose session gives up on a lock at once.
    static ReturnReasonBrowser impatientWindow() {
        return ReturnReasonBrowser(TSessionHolder::open({.busyTimeout = std::chrono::milliseconds(0)}));
    }
    static void add(ReturnReasonBrowser& window, const std::string& text, const std::string& shortcut = "") {
        const auto row = window.add();
        window.editText(row, text);
        window.editShortcut(row, shortcut);
    }
    static void insert(const std::string& values) {
        TestSupport::exec({}, "insert into ReturnReason (ReturnReasonId, ReturnReason, Shortcut, Deleted) values " + values);
    }
    static std::string stored() {
        return TestSupport::rows({}, "select ReturnReasonId, ReturnReason, Shortcut, Deleted from ReturnReason order by 1",
                                 ":");
    }
};

TEST_F(ReturnReasonWindow, AnOpenWindowHoldsTheListUntilItClosesOrTheServerDropsItsLock) {
    insert("(7, 'Uszkodzony', 'USZ', 0)");
    ReturnReasonBrowser first(TSessionHolder::open());
    EXPECT_EQ(first.reasons(), (std::vector<ReturnReasons::ReturnReason>{{7, "Uszkodzony", "USZ", false}}));
    EXPECT_EQ(failure([] { impatientWindow(); }), kBusy);

    add(first, "Za mały");
    first.save();
    EXPECT_EQ(failure([] { impatientWindow(); }), kBusy) << "the saved window locks the list again";
    EXPECT_TRUE(first.close());

    auto second = impatientWindow();
    EXPECT_EQ(stored(), "7:Uszkodzony:USZ:0\n8:Za mały:-:0\n");
    EXPECT_EQ(second.reasons().at(1), (ReturnReasons::ReturnReason{8, "Za mały", "", false}))
        << "the second window reads what the first saved";

    if (!TestSupport::onServer()) return;  // on a store in a file the lock is this process's own
    SCOPED_TRACE("a window whose lock the server dropped refuses to save and frees the list");
    add(second, "Zgnieciony");
    EXPECT_EQ(TestSupport::value({}, "select count(pg_terminate_backend(pid, 5000)) n from pg_locks where locktype ="
                                     " 'advisory' and database = (select oid from pg_database where datname ="
                                     " current_database())"),
              "1");
    EXPECT_EQ(failure([&] { second.save(); }),
              "Okno straciło blokadę listy powodów zwrotów (połączenie z serwerem bazy danych zostało przerwane), "
              "więc jej nie zapisało: wczytaj listę ponownie (Wycofaj) i wprowadź zmiany jeszcze raz.");
    EXPECT_EQ(stored(), "7:Uszkodzony:USZ:0\n8:Za mały:-:0\n");
    impatientWindow();
}

TEST_F(ReturnReasonWindow, ARefusedEditLeavesTheRowAndARefusedSaveKeepsTheEditsAndWritesNothing) {
    insert("(7, 'Uszkodzony', 'USZ', 1)");
    ReturnReasonBrowser window(TSessionHolder::open());
    EXPECT_FALSE(window.isModified());
    add(window, "Niezgodny z opisem", "NZO");
    EXPECT_TRUE(window.isModified());
    // The rules and their messages are ReturnReasonRules', checked in its own tests.
    EXPECT_THROW(window.editShortcut(1, "nzo"), std::exception);
    EXPECT_THROW(window.editText(1, std::string(65, 'x')), std::exception);
    EXPECT_EQ(window.reasons()[1], (ReturnReasons::ReturnReason{0, "Niezgodny z opisem", "NZO", false}));
    add(window, "USZKODZONY");
    EXPECT_EQ(failure([&] { window.save(); }), "Nazwa powodu zwrotu 'Uszkodzony' nie jest unikalna.")
        << "the deleted reason blocks its text";
    EXPECT_TRUE(window.isModified());
    ASSERT_EQ(window.reasons().size(), 3u);
    EXPECT_EQ(window.reasons()[1].id, 0) << "no id handed out for a list not saved";
    EXPECT_EQ(stored(), "7:Uszkodzony:USZ:1\n");

    window.editText(2, "Uszkodzony w transporcie");
    window.editShortcut(1, "");
    window.save();
    EXPECT_EQ(TestSupport::value({}, "select count(*) from ReturnReason where Shortcut is null"), "2")
        << "two empty shortcuts";

    // Texts swapped between two rows: a valid list at every save.
    window.editText(1, "Tymczasowy");
    window.editText(2, "Niezgodny z opisem");
    window.editText(1, "Uszkodzony w transporcie");
    window.save();
    EXPECT_EQ(window.reasons()[2].text, "Niezgodny z opisem");
}

TEST_F(ReturnReasonWindow, DeletingAsksMarksAndGreysRestoringClears) {
    insert("(3, 'Zła cena', '', 0)");
    ReturnReasonBrowser window(TSessionHolder::open());
    dialogs_->answers = {false, true};
    EXPECT_FALSE(window.remove(0));
    EXPECT_FALSE(window.isModified());
    EXPECT_TRUE(window.remove(0));
    EXPECT_EQ(dialogs_->shown.at(1).text, "Czy na pewno chcesz usunąć powód zwrotu 'Zła cena'?");
    EXPECT_EQ(window.fontColour(0), 0x808080);
    window.save();
    EXPECT_EQ(stored(), "3:Zła cena:-:1\n") << "only marked, never removed";

    window.restore(0);
    EXPECT_EQ(window.fontColour(0), std::nullopt);
    window.save();
    EXPECT_EQ(stored(), "3:Zła cena:-:0\n");
}

TEST_F(ReturnReasonWindow, ClosingWithEditsAsksAndWycofajDropsThem) {
    ReturnReasonBrowser window(TSessionHolder::open());
    EXPECT_TRUE(window.close()) << "nothing to ask";
    EXPECT_TRUE(dialogs_->shown.empty());
    EXPECT_EQ(failure([&] { window.add(); }),
              "Okno nie trzyma listy powodów zwrotów, więc jej nie zmieni: wczytaj ją ponownie (Wycofaj).")
        << "a closed window holds no lock";

    window.load();
    add(window, "Uszkodzony");
    dialogs_->answers = {false, true};
    EXPECT_FALSE(window.close());
    EXPECT_EQ(dialogs_->shown.back().text, "Lista powodów zgłoszeń została zmieniona.\nCzy anulować zmiany?");
    EXPECT_EQ(window.reasons().size(), 1u) << "the window stays with its edits";
    EXPECT_EQ(failure([] { impatientWindow(); }), kBusy) << "and its lock";
    EXPECT_TRUE(window.close());
    EXPECT_EQ(stored(), "") << "nothing stored";
    impatientWindow();

    window.load();
    add(window, "Uszkodzony");
    window.load();
    EXPECT_TRUE(window.reasons().empty()) << "Wycofaj";
    EXPECT_FALSE(window.isModified());
}

TEST_F(ReturnReasonWindow, SendingWritesWhatTheStoreSavedToTheTillsOutbox) {
    insert("(3, 'Uszkodzony', 'USZ', 0), (4, 'Wycofany', 'WYC', 1)");
    ReturnReasonBrowser window(TSessionHolder::open());
    add(window, "Nie zapisany");
    window.sendToTills();
    EXPECT_EQ(dialogs_->transcript(), "information: Pomyślnie wysłano powody zwrotów do kas.\n");
    const auto file = Core::Store::directory() / "outbox" / "tills" / "ReturnReasons.xml";
    EXPECT_EQ(TestSupport::readFile(file), "<ReturnReasons><ReturnReason><Id>3</Id><Text>Uszkodzony</Text>"
                                           "<Shortcut>USZ</Shortcut></ReturnReason></ReturnReasons>");

    std::filesystem::remove_all(file.parent_path());
    std::ofstream(file.parent_path()) << "a file where the outbox should be";
    const auto refused = failure([&] { window.sendToTills(); });
    EXPECT_EQ(refused.rfind("Nie wysłano powodów zwrotów do kas: Błąd dostępu do pliku lub katalogu ", 0), 0u)
        << refused;
    EXPECT_EQ(dialogs_->shown.size(), 1u) << "no success reported";
}

}  // namespace

