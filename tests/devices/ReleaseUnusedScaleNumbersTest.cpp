#include "Core/Action/ActionContainer.h"
#include "Core/EveningProcessing/RunArguments.h"
#include "Core/registration/Registrations.h"
#include "Modules/Towary/Tools/devices/ReleaseUnusedScaleNumbersAction.h"
#include "tests/devices/ScaleStore.h"
#include "tests/support/Failure.h"
#include "tests/support/StoreTriggers.h"

#include <memory>

namespace {

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
    EXPECT_TRUE(result->executed());
    EXPECT_EQ(result->status(), EveningProcessing::statusDone);
    EXPECT_EQ(result->message(), "Usuwanie nieużywanych numerów na wagach zakończone poprawnie.");
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

TEST_F(ReleaseUnusedScaleNumbers, RunsOnlyWhenSwitchedOnUnlessRunOnDemand) {
    addProduct(1, 1, 5, 45000);
    setStep("Włączone", false);
    EXPECT_FALSE(release()->executed());
    EXPECT_EQ(scaleNumbers(), "1|1|5\n");
    EXPECT_TRUE(release(EveningProcessing::RunMode::fire)->executed());
    EXPECT_EQ(scaleNumbers(), "1|-|-\n");
}

TEST_F(ReleaseUnusedScaleNumbers, AFailureLeavesEveryNumberInPlace) {
    addProduct(1, 1, 5, 45000);
    addProduct(2, 1, 6, 45000);
    TestSupport::refuseWrites(Core::Store::directory(), "towar", "update", "Towar 2 jest zablokowany",
                              "old.lTowarRef = 2");
    EXPECT_NE(TestSupport::failure([this] { release(); }).find("Towar 2 jest zablokowany"), std::string::npos);
    EXPECT_EQ(scaleNumbers(), "1|1|5\n2|1|6\n");

    setStep("Liczba dni", -1);
    EXPECT_THROW(release(), std::runtime_error) << "a number of days out of range";
}

}  // namespace
