// Scale numbers: the sections, the proposal of a free number, the validation
// of a number typed, and the evening step that releases the numbers of
// products unsold for long.

#include "Core/Action/ActionContainer.h"
#include "Core/EveningProcessing/RunArguments.h"
#include "Core/Store/StoreLocation.h"
#include "Core/VisualComponents/ValidateException.h"
#include "Core/registration/Registrations.h"
#include "Modules/Towary/Tools/devices/ReleaseUnusedScaleNumbersAction.h"
#include "Modules/Towary/Tools/devices/ScaleDataValidator.h"
#include "Modules/Towary/Tools/devices/ScaleSections.h"
#include "Modules/Towary/Tools/devices/Waga.h"
#include "tests/support/Failure.h"
#include "tests/support/SampleStore.h"
#include "tests/support/SettingsFile.h"
#include "tests/support/StoreRows.h"
#include "tests/support/StoreTriggers.h"
#include "tests/support/TempStore.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <tuple>

namespace {

using Orvel::Scale::ScaleDataValidator;
using TestSupport::setSetting;

// A store with the sample settings and products holding scale numbers.
class ScaleStore : public TestSupport::SampleStore {
protected:
    static void setMaximum(int maximum) {
        setSetting({"Parametry sklepu", "Towary", "Sekcje wagowe", "Maksymalna liczba towarów w sekcji"}, maximum);
    }
    // A product with its article index, section and number (none for NULL), last sale and creation day.
    void addProduct(int id, std::optional<int> section, std::optional<int> number, std::optional<int> lastSale = {},
                    std::optional<int> created = {}) {
        const auto orNull = [](std::optional<int> value) { return value ? std::to_string(*value) : "null"; };
        TestSupport::exec(session_, "insert into towar (lTowarRef, sNazwa, sGrIndex, sArtIndex, byCode, nWagaSekcja, "
                                    "nWagaPLU, dataOstSprzed, czasUtworzenia) values (" + std::to_string(id) +
                                        ", 'Towar', '0101', '00" + std::to_string(1000 + id) + "', 6, " +
                                        orNull(section) + ", " + orNull(number) + ", " + orNull(lastSale) + ", " +
                                        orNull(created) + ")");
    }
    // Every product as "id|section|number", one a line, "-" for NULL.
    std::string scaleNumbers() {
        return TestSupport::rows(session_, "select lTowarRef, nWagaSekcja, nWagaPLU from towar order by lTowarRef");
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

// The status and value of the proposal in the section, and the number it leaves of -5.
std::tuple<int, int, int> proposal(int section, const TSessionHolder& session) {
    int number = -5;
    const auto made = Waga::generujNumerNaWadze(section, number, session);
    return {made.status, made.value, number};
}

TEST_F(ScaleStore, SectionsAfterNoneTheValidationOfANumberTypedAndTheProposalOfTheLowestFreeNumberWithinTheMaximum) {
    const auto sections = Towar::getScaleSectionsWithNone();
    ASSERT_EQ(sections.size(), 10u);
    EXPECT_EQ(std::pair(sections[0].none, sections[0].text), std::pair(true, std::string("<brak>")));
    EXPECT_EQ(std::to_string(sections[9].value) + " " + sections[9].text, "9 Inne");

    // The validation of a number typed: its range, an empty text, numbers repeated and no section.
    setMaximum(99);
    addProduct(1, 3, 7);
    const std::string outside = "Błędna wartość numeru wagowego.\nMożliwy zakres wartości to 1 - 99",
                      repeated = "Numer wagowy w podanej sekcji jest powtórzony. Podaj inny numer.";
    // A number typed, the product it is for (none: a new one), and the refusal; product 1 keeps its own number 7.
    const std::tuple<const char*, std::optional<int>, std::string> cases[] = {
        {"0", {}, outside}, {"100", {}, outside}, {"-3", {}, outside}, {"99", {}, ""},
        {"", {}, "Brak numeru wagowego."}, {"7", {}, repeated}, {"7", 2, repeated}, {"7", 1, ""}, {"8", {}, ""}};
    for (const auto& [text, product, message] : cases)
        EXPECT_EQ(refusal(text, product), message) << text << " for " << product.value_or(0);

    // No section accepts any text; in a section the text must be a number.
    for (const char* text : {"", "abc", "0", "7"}) EXPECT_EQ(refusal(text, {}, true), "") << text;

    TCustomEdit edit("Numer wagowy", "12a");
    ScaleDataValidator::SectionCombo combo(Towar::getScaleSections());
    combo.select(0);
    EXPECT_EQ(TestSupport::failure([&] { ScaleDataValidator::validate(&edit, combo, {}, session_); }),
              "\"12a\" nie jest poprawną liczbą całkowitą.");

    ScaleDataValidator::SectionCombo nothingSelected(Towar::getScaleSections());
    edit.setText("5");
    EXPECT_THROW(ScaleDataValidator::validate(&edit, nothingSelected, {}, session_), std::logic_error);

    // The proposal of a free number, product 1 of section 3 aside.
    EXPECT_EQ(proposal(0, session_), std::tuple(Waga::kNumberProposed, -1, 0)) << "no section, no number";
    for (const auto& [id, number] : {std::pair{2, 1}, {3, 2}, {4, 4}}) addProduct(id, 2, number);
    EXPECT_EQ(proposal(2, session_), std::tuple(Waga::kNumberProposed, -1, 3));
    setMaximum(2);
    EXPECT_EQ(proposal(2, session_), std::tuple(Waga::kNumberOverMaximum, 3, -5)) << "the number is left alone";

    // Every number of section 7 taken, in one statement: a row at a time took minutes on a server.
    TestSupport::exec(session_, "insert into towar (lTowarRef, sNazwa, sGrIndex, byCode, nWagaSekcja, nWagaPLU) "
                                "with recursive n(x) as (select 1 union all select x + 1 from n where x < 99999) "
                                "select 100 + x, 'Towar', '0101', 6, 7, x from n");
    EXPECT_EQ(proposal(7, session_), std::tuple(Waga::kNoFreeNumber, -1, -5));

    setSetting({"Parametry sklepu", "Towary", "Sekcje wagowe", "Kanał 4"}, 4);
    EXPECT_THROW(Towar::getScaleSections(), std::logic_error) << "a name that is no text";
}

TEST(ScaleNumberProposal, SectionOutOfRangeIsRefusedWithoutTheDatabase) {
    TestSupport::TempStore noDatabase;  // a session on it would fail to open
    for (int section : {10, -1})
        EXPECT_EQ(proposal(section, TSessionHolder()), std::tuple(Waga::kSectionOutOfRange, section, -5));
}

constexpr int kDay = 46000;  // the processing day; 90 days (the sample setting) before it is 45910

class ReleaseUnusedScaleNumbers : public ScaleStore {
protected:
    ReleaseUnusedScaleNumbers() { registerReleaseUnusedScaleNumbersActionObjects(registrations_); }

    // Runs the step; returns its result, its log lines in log_.
    std::shared_ptr<EveningProcessing::StepResult> release(
        EveningProcessing::RunMode mode = EveningProcessing::RunMode::nightly) {
        log_.clear();
        auto args = std::make_shared<EveningProcessing::RunArguments>(
            session_, kDay, [this](const std::string& line) { log_.push_back(line); }, mode);
        return Core::Action::CContainer::invoke<EveningProcessing::StepResult>(
            this, Towar::kReleaseUnusedScaleNumbersActionGuid, args);
    }

    static void setStep(const std::string& name, const Orvel::TValue& value) {
        setSetting({"Parametry programu", "Odczyt wieczorny", "Akcje", "Usuwanie nieużywanych numerów na wagach", name},
                   value);
    }

    Core::Registrations registrations_;
    std::vector<std::string> log_;
};

TEST_F(ReleaseUnusedScaleNumbers, ProductsUnsoldSinceTheThresholdLoseTheirNumbers) {
    addProduct(1, 1, 5, 45909);      // last sold the day before the threshold
    addProduct(2, 1, 6, 45910);      // sold on the threshold day
    addProduct(3, 2, 7, {}, 45000);  // never sold, created long before
    addProduct(4, 2, 8, {}, 45990);  // never sold, created lately
    addProduct(5, 3, 9);             // neither date: compared with today
    addProduct(6, {}, 12, 45000);    // a number without a section
    addProduct(7, 4, {}, 45000);     // a section without a number
    addProduct(8, {}, {}, 45000);    // no scale number at all

    const auto result = release();
    EXPECT_EQ(std::tuple(result->executed(), result->status(), result->message()),
              std::tuple(true, EveningProcessing::statusDone,
                         "Usuwanie nieużywanych numerów na wagach zakończone poprawnie."));
    const std::vector<std::string> expected = {
        "Lista numerów na wadze do usunięcia:",
        "             indeks:             sekcja:              numer:",
        "              001001                   1                   5",
        "              001003                   2                   7",
        "              001006                                      12",
        "              001007                   4                    ",
    };
    EXPECT_EQ(log_, expected);
    EXPECT_EQ(scaleNumbers(), "1|-|-\n2|1|6\n3|-|-\n4|2|8\n5|3|9\n6|-|-\n7|-|-\n8|-|-\n");

    release();
    EXPECT_EQ(log_, std::vector<std::string>{"Brak nieużywanych numerów na wagach."});
}

TEST_F(ReleaseUnusedScaleNumbers, RunsOnlyWhenSwitchedOnUnlessRunOnDemandAndAFailureLeavesEveryNumberInPlace) {
    addProduct(1, 1, 5, 45000);
    setStep("Włączone", false);
    EXPECT_FALSE(release()->executed());
    EXPECT_EQ(scaleNumbers(), "1|1|5\n");
    EXPECT_TRUE(release(EveningProcessing::RunMode::fire)->executed());
    EXPECT_EQ(scaleNumbers(), "1|-|-\n");

    // A failure leaves every number in place.
    setStep("Włączone", true);
    TestSupport::exec(session_, "update towar set nWagaSekcja = 1, nWagaPLU = 5 where lTowarRef = 1");
    addProduct(2, 1, 6, 45000);
    TestSupport::refuseWrites(Core::Store::directory(), "towar", "update", "Towar 2 jest zablokowany",
                              "old.lTowarRef = 2");
    EXPECT_NE(TestSupport::failure([this] { release(); }).find("Towar 2 jest zablokowany"), std::string::npos);
    EXPECT_EQ(scaleNumbers(), "1|1|5\n2|1|6\n");

    setStep("Liczba dni", -1);
    EXPECT_THROW(release(), std::runtime_error) << "a number of days out of range";
}

}  // namespace
