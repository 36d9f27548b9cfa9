// The PKWiU list import: changes to 2011-01-01 planned for the products whose
// PKWiU code starts with a line's prefix, kept only when the user says so;
// a file or line that cannot be used is refused with its line and leaves
// nothing.

#include "Core/Action/ArgumentGetters.h"
#include "tests/prices/VatStore.h"
#include "tests/support/Failure.h"

#include <fstream>
#include <sstream>

namespace {

class PkwiuImport : public VatStore {
protected:
    PkwiuImport() {
        product(1, "a", 13, "10.51.11");
        product(2, "b", 13, "10.51.12");
        product(3, "c", 13, "10.51-1");  // a code with a hyphen is never matched
        product(4, "d", 13, "10.52.1");
        product(5, "e", 13, "11.0");
        product(6, "f", 13, "10'51.1");
    }

    // Writes the list and runs the import on it, with the answers given.
    void import(const std::string& list, std::deque<bool> answers = {}) {
        const auto file = store_.path() / "pkwiu.txt";
        std::ofstream(file, std::ios::binary | std::ios::trunc) << list;
        dialogs_->files = {file};
        dialogs_->answers = std::move(answers);
        summary_.str("");
        invoke(Towar::kChangeVatByPkwiuGuid, std::make_shared<Core::StreamArgument>(summary_));
        EXPECT_TRUE(dialogs_->answers.empty());
    }
    std::string refusal(const std::string& list) {
        return TestSupport::failure<std::runtime_error>([&] { import(list); });
    }
    std::string lastShown() { return dialogs_->shown.back().text; }

    std::ostringstream summary_;  // each line's changes, as the import writes them
};

TEST_F(PkwiuImport, ThePrefixesOfALinePlanTheirProductsAndTheLastMatchingLineWins) {
    import("10.51\t5%\n10'51\t8%\n", {true});  // a quote is part of the code
    EXPECT_EQ(lastShown(), "Zmieniono stawki VAT dla 3 towarów. Zachować zmiany?");
    EXPECT_EQ(plans(), "1|40544|9|0\n2|40544|9|0\n6|40544|12|0\n");

    // Runs of tabs are one separator; exclusions; earlier plans from the day on are replaced.
    plan(90, 5, 40000, 12, "1");
    import("10\t\t8%\t10.52\t\t10.51.12\n11\t23%\n", {true});
    EXPECT_EQ(summary_.str(), "Linia 1: PKWiU 10* bez 10.52*, 10.51.12*, stawka 8%: 2 towarów\n"
                              "Linia 2: PKWiU 11*, stawka 23%: 1 towarów\n");
    EXPECT_EQ(lastShown(), "Zmieniono stawki VAT dla 3 towarów. Zachować zmiany?");  // 1, 6 and 5
    EXPECT_EQ(plans(), "1|40544|12|0\n2|40544|9|0\n5|40000|12|1\n5|40544|13|0\n6|40544|12|0\n");

    import("10.51\t5%\n10.51.11\t23%\n", {true});
    EXPECT_EQ(lastShown(), "Zmieniono stawki VAT dla 3 towarów. Zachować zmiany?");
    EXPECT_EQ(plans(), "1|40544|13|0\n2|40544|9|0\n5|40000|12|1\n5|40544|13|0\n6|40544|12|0\n");
}

TEST_F(PkwiuImport, ReadingStopsAtTheFirstEmptyLineAndNothingStaysUnlessKept) {
    import("11\t5%\n\n10.51\t8%\n", {false});
    EXPECT_EQ(lastShown(), "Zmieniono stawki VAT dla 1 towarów. Zachować zmiany?");
    EXPECT_EQ(plans(), "");

    import("99\t5%\n");
    EXPECT_EQ(dialogs_->shown.back().kind, "information");
    EXPECT_EQ(lastShown(), "Nie znaleziono towarów dla kodów PKWiU z pliku.");
    EXPECT_EQ(plans(), "");

    dialogs_->files = {std::nullopt};  // the dialog cancelled
    invoke(Towar::kChangeVatByPkwiuGuid);
    EXPECT_EQ(dialogs_->shown.back().text, "Wybierz plik z listą PKWiU");
}

TEST_F(PkwiuImport, AByteOrderMarkBeforeTheFirstLineIsNoPartOfItsPrefix) {
    import("\xEF\xBB\xBF" "10.51\t5%\n11\t8%\n", {true});
    EXPECT_EQ(summary_.str(), "Linia 1: PKWiU 10.51*, stawka 5%: 2 towarów\nLinia 2: PKWiU 11*, stawka 8%: 1 towarów\n");
    EXPECT_EQ(plans(), "1|40544|9|0\n2|40544|9|0\n5|40544|12|0\n");

    import("\xEF\xBB\xBF\n10.51\t5%\n");  // only the mark: the list ends at its empty first line
    EXPECT_EQ(lastShown(), "Nie znaleziono towarów dla kodów PKWiU z pliku.");
}

TEST_F(PkwiuImport, ALineThatCannotBeUsedIsRefusedWithItsNumberAndNothingIsWritten) {
    plan(90, 5, 40600, 12);
    const std::string kept = plans();
    const std::string good = "10.51\t5%\n";
    for (const char* line : {"10.52\n", "\t\t\n"})
        EXPECT_EQ(refusal(good + line), "Błąd podczas odczytu linii: 2\nWiersz musi zawierać prefiks kodu PKWiU i "
                                        "nazwę stawki VAT oddzielone tabulatorem.");
    EXPECT_EQ(refusal(good + good + "10.52\t24%\n"),
              "Błąd podczas odczytu linii: 3\nBrak stawki VAT o nazwie \"24%\" na liście stawek sklepu.");
    EXPECT_EQ(refusal("10.51\t5%\r\n"), "Błąd podczas odczytu linii: 1\nWiersz kończy się znakiem CR (końce "
                                        "wierszy Windows); zapisz plik z końcami wierszy LF.");
    EXPECT_EQ(refusal(good + "10.52 \xbfywno\x9c\xe6\t5%\n"),
              "Błąd podczas odczytu linii: 2\nWiersz nie jest zapisany w UTF-8 (plik zapisano zapewne w stronie "
              "kodowej Windows); zapisz plik w UTF-8.");
    EXPECT_EQ(refusal(std::string("\xFF\xFE" "1\0" "0\0\t\0" "5\0%\0\n\0", 14)),
              "Błąd podczas odczytu linii: 1\nPlik zapisano w UTF-16 (\"Unicode\"); zapisz plik w UTF-8.");
    for (const auto& [line, prefix] : {std::pair{"10%\t5%\n", "10%"}, {"10\t5%\t10.5_\n", "10.5_"}})
        EXPECT_EQ(refusal(good + line), "Błąd podczas odczytu linii: 2\nPrefiks kodu PKWiU \"" + std::string(prefix) +
                                            "\" zawiera znak % lub _, który nie może być częścią kodu.");
    EXPECT_EQ(refusal(good + std::string("1\0" "0\0\t\0" "5\0%\0\n", 11)),
              "Błąd podczas odczytu linii: 2\nWiersz zawiera znak sterujący o kodzie 0 (plik zapisano zapewne w "
              "UTF-16); zapisz plik jako tekst w UTF-8.");
    EXPECT_EQ(plans(), kept);

    // A missing file, and a path that opens but cannot be read, such as a folder: no list without products.
    for (const auto& unreadable : {store_.path() / "brak.txt", store_.path()}) {
        dialogs_->files = {unreadable};
        EXPECT_EQ(TestSupport::failure<std::runtime_error>([this] { invoke(Towar::kChangeVatByPkwiuGuid); }),
                  "Błąd podczas odczytu pliku: " + unreadable.string());
        EXPECT_EQ(plans(), kept);
    }
}

}  // namespace
