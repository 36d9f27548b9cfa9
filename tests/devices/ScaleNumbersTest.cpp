#include "Core/VisualComponents/ValidateException.h"
#include "Modules/Towary/Tools/devices/ScaleDataValidator.h"
#include "Modules/Towary/Tools/devices/ScaleSections.h"
#include "Modules/Towary/Tools/devices/Waga.h"
#include "tests/devices/ScaleStore.h"
#include "tests/support/Failure.h"

#include <stdexcept>
#include <tuple>

namespace {

using Orvel::Scale::ScaleDataValidator;

TEST_F(ScaleStore, SectionListsNameTheNineChannelsAfterNone) {
    const auto sections = Towar::getScaleSectionsWithNone();
    ASSERT_EQ(sections.size(), 10u);
    EXPECT_TRUE(sections[0].none);
    EXPECT_EQ(sections[0].text, "<brak>");
    EXPECT_EQ(std::to_string(sections[9].value) + " " + sections[9].text, "9 Inne");

    setSetting({"Parametry sklepu", "Towary", "Sekcje wagowe", "Kanał 4"}, 4);
    EXPECT_THROW(Towar::getScaleSections(), std::logic_error) << "a name that is no text";
}

// The status and value of the proposal in the section, and the number it leaves of -5.
std::tuple<int, int, int> proposal(int section, const TSessionHolder& session) {
    int number = -5;
    const auto made = Waga::generujNumerNaWadze(section, number, session);
    return {made.status, made.value, number};
}

TEST_F(ScaleStore, ProposalGivesTheLowestFreeNumberWithinTheMaximumAndNoneInAFullSection) {
    EXPECT_EQ(proposal(0, session_), std::tuple(Waga::kNumberProposed, -1, 0)) << "no section, no number";
    addProduct(1, 2, 1);
    addProduct(2, 2, 2);
    addProduct(3, 2, 4);
    EXPECT_EQ(proposal(2, session_), std::tuple(Waga::kNumberProposed, -1, 3));
    setMaximum(2);
    EXPECT_EQ(proposal(2, session_), std::tuple(Waga::kNumberOverMaximum, 3, -5)) << "the number is left alone";

    // Every number of section 7 taken, in one statement: a row at a time took minutes on a server.
    TestSupport::exec(session_, "insert into towar (lTowarRef, sNazwa, sGrIndex, byCode, nWagaSekcja, nWagaPLU) "
                                "with recursive n(x) as (select 1 union all select x + 1 from n where x < 99999) "
                                "select 100 + x, 'Towar', '0101', 6, 7, x from n");
    EXPECT_EQ(proposal(7, session_), std::tuple(Waga::kNoFreeNumber, -1, -5));
}

TEST(ScaleNumberProposal, SectionOutOfRangeIsRefusedWithoutTheDatabase) {
    TestSupport::TempStore noDatabase;  // a session on it would fail to open
    for (int section : {10, -1})
        EXPECT_EQ(proposal(section, TSessionHolder()), std::tuple(Waga::kSectionOutOfRange, section, -5));
}

class ScaleValidation : public ScaleStore {
protected:
    ScaleValidation() {
        setMaximum(99);
        addProduct(1, 3, 7);
    }

    // The message the validator refuses the number with in section 3 ("" when it accepts it).
    std::string refusal(const std::string& text, std::optional<int> product = {}, bool noSection = false) {
        TCustomEdit edit("Numer wagowy", text);
        ScaleDataValidator::SectionCombo combo(Towar::getScaleSectionsWithNone());
        combo.select(noSection ? 0 : 3);
        try {
            ScaleDataValidator::validate(&edit, combo, product, session_);
            return "";
        } catch (const TValidateException& e) {
            EXPECT_EQ(e.control(), &edit) << "the refusal names the field";
            return e.what();
        }
    }
};

TEST_F(ScaleValidation, RangeEmptyTextAndRepeatedNumbers) {
    for (const char* outside : {"0", "100", "-3"})
        EXPECT_EQ(refusal(outside), "Błędna wartość numeru wagowego.\nMożliwy zakres wartości to 1 - 99") << outside;
    EXPECT_EQ(refusal("99"), "");
    EXPECT_EQ(refusal(""), "Brak numeru wagowego.");

    const std::string repeated = "Numer wagowy w podanej sekcji jest powtórzony. Podaj inny numer.";
    EXPECT_EQ(refusal("7"), repeated);
    EXPECT_EQ(refusal("7", 2), repeated) << "another product";
    EXPECT_EQ(refusal("7", 1), "") << "the product keeps its own number";
    EXPECT_EQ(refusal("8"), "");
}

TEST_F(ScaleValidation, NoSectionAcceptsAnyTextAndTheTextMustBeANumber) {
    for (const char* text : {"", "abc", "0", "7"}) EXPECT_EQ(refusal(text, {}, true), "") << text;

    TCustomEdit edit("Numer wagowy", "12a");
    ScaleDataValidator::SectionCombo combo(Towar::getScaleSections());
    combo.select(0);
    EXPECT_EQ(TestSupport::failure([&] { ScaleDataValidator::validate(&edit, combo, {}, session_); }),
              "\"12a\" nie jest poprawną liczbą całkowitą.");

    ScaleDataValidator::SectionCombo nothingSelected(Towar::getScaleSections());
    edit.setText("5");
    EXPECT_THROW(ScaleDataValidator::validate(&edit, nothingSelected, {}, session_), std::logic_error);
}

}  // namespace
