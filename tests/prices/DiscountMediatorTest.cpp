// The catalogue price, discount and final price fields of a condition form,
// tied by the mediator, as a user fills them.

#include "Core/System/StrToFloat.h"
#include "Core/System/Sysutils.h"
#include "Core/tools/TemporaryChangeValue.h"
#include "Modules/Towary/Tools/prices/DiscountMediator.h"
#include "tests/support/Failure.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using Core::VisualComponents::TextBox;
using TestSupport::failure;
using Warunek::LiczRabatCene::CMediator;

// A field whose change event runs the handler, as a form's field does.
class FieldWithEvent : public TextBox {
public:
    void setText(const std::string& text) override {
        TextBox::setText(text);
        if (onChange) onChange();
    }
    std::function<void()> onChange;
};

class DiscountFields : public ::testing::Test {
protected:
    CMediator mediator(std::shared_ptr<Warunek::LiczRabatCene::IAlgorithm> finalAlgorithm =
                           std::make_shared<Warunek::CLiczCeneKoncowaAlg>()) {
        CMediator made(std::make_shared<Warunek::CEditValue>(catalog_, 4),
                       std::make_shared<Warunek::CEditValue>(final_, 4),
                       std::make_shared<Warunek::CEditValue>(discount_, 2),
                       std::make_shared<Warunek::CLiczCeneKatalogowaAlg>(), std::move(finalAlgorithm),
                       std::make_shared<Warunek::CLiczRabatAlg>());
        made.setMode(1);
        return made;
    }

    // Fills the fields (an empty text leaves one empty), runs the computation in the mode, gives the three texts.
    std::string after(const std::string& catalog, const std::string& discount, const std::string& final,
                      void (CMediator::*calc)(), int mode = 1) {
        catalog_.setText(catalog);
        discount_.setText(discount);
        final_.setText(final);
        auto m = mediator();
        m.setMode(mode);
        (m.*calc)();
        return catalog_.text() + " " + discount_.text() + " " + final_.text();
    }

    // The final price from the catalogue one by the contract's discounts, applied one on another when cumulative.
    void finalFromContract(const Core::TKontrakt& contract, bool cumulative) {
        mediator(std::make_shared<Warunek::CLiczCeneKoncowaZKontraktuAlg>(&contract, cumulative)).calcCenaKoncowa();
    }

    FieldWithEvent catalog_, final_, discount_;
};

TEST_F(DiscountFields, EachFieldIsComputedFromTheOtherTwoOrTheContractOnceAtATimeAndAResultBeyondTheRangeOfNumbersIsRefusedInWords) {
    EXPECT_EQ(after("200", "12,5", "", &CMediator::calcCenaKoncowa), "200 12,5 175.0000");
    EXPECT_EQ(after("", "12.5", "175", &CMediator::calcCenaKatalogowa), "200.0000 12.5 175");
    EXPECT_EQ(after("", "100", "175", &CMediator::calcCenaKatalogowa), "0.0000 100 175");
    EXPECT_EQ(after("200", "", "175", &CMediator::calcRabat), "200 12.50 175");
    EXPECT_EQ(after("0", "", "175", &CMediator::calcRabat), "0 0.00 175");
    EXPECT_EQ(after("3", "", "1", &CMediator::calcRabat), "3 66.67 1");
    EXPECT_EQ(after("1234,50", "10", "", &CMediator::calcCenaKoncowa), "1234,50 10 1111.0500");

    const std::string refusal = "Wynik obliczenia wykracza poza zakres liczb; popraw cenę lub rabat.";
    EXPECT_EQ(failure([this] { after("1e308", "-1e308", "", &CMediator::calcCenaKoncowa); }), refusal);
    EXPECT_EQ(failure([this] { after("1e305", "", "", &CMediator::calcCenaKoncowa); }), refusal);
    EXPECT_EQ(failure([this] { after("1e-300", "", "1e300", &CMediator::calcRabat); }), refusal);
    EXPECT_EQ(final_.text(), "1e300");

    for (const auto calc : {&CMediator::calcCenaKoncowa, &CMediator::calcCenaKatalogowa, &CMediator::calcRabat})
        EXPECT_EQ(after("200", "12.5", "", calc, 2), "200 12.5 ") << "outside mode 1 nothing changes";

    // The contract's discounts give the final price.
    const Core::TKontrakt contract{{10, 5}};
    catalog_.setText("200");
    finalFromContract(contract, true);
    EXPECT_EQ(final_.text(), "171.0000");
    finalFromContract(contract, false);
    EXPECT_EQ(final_.text(), "170.0000");

    // Discounts no contract holds take the price beyond the range of numbers: refused, the field kept.
    const Core::TKontrakt beyond{{-1e308, -1e308}};
    EXPECT_EQ(failure([&] { finalFromContract(beyond, true); }), refusal);
    EXPECT_EQ(final_.text(), "170.0000");

    // A field's change event cannot start another computation.
    catalog_.setText("200");
    discount_.setText("12.5");
    auto m = mediator();
    final_.onChange = [&m] { m.calcRabat(); };
    EXPECT_EQ(failure<std::runtime_error>([&m] { m.calcCenaKoncowa(); }),
              "Niedozwolone, rekurencyjne wywołanie algorytmu.");
    // The flag is down again: the next computation runs.
    final_.onChange = nullptr;
    final_.setText("150");
    m.calcRabat();
    EXPECT_EQ(discount_.text(), "25.00");

    // A field reads either separator and restores the process's own.
    TextBox field;
    Warunek::CEditValue value(field, 2);
    EXPECT_EQ(value.getValue(), 0.0);
    for (const char* text : {"1234,50", "1234.50", " 1234.5 "}) {
        field.setText(text);
        EXPECT_EQ(value.getValue(), 1234.5) << text;
    }
    Core::TTemporaryChangeDecimalSeparator comma(',');
    field.setText("7");
    EXPECT_EQ(value.getValue(), 7.0);
    for (const std::string text : {"1.234,5", "12zł", "+-5"}) {
        field.setText(text);
        EXPECT_EQ(failure<Sysutils::Exception>([&value] { value.getValue(); }),
                  "„" + text + "” nie jest poprawną liczbą.");
    }
    field.setText("+5");
    EXPECT_EQ(value.getValue(), 5.0);
    EXPECT_EQ(Sysutils::DecimalSeparator(), ',');
}

}  // namespace
