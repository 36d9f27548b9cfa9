#include "Modules/Towary/Tools/prices/ProductSalePriceRounder.h"
#include "Modules/Towary/Tools/prices/SalePriceRounders.h"
#include "tests/prices/PriceFixture.h"
#include "tests/support/StoreRows.h"

#include <stdexcept>
#include <string>
#include <tuple>
#include <utility>

namespace {

using Product::Tools::ProductSalePriceRounder;

constexpr const char* kPsychological =
    "Parametry programu / Towary / Zaokrąglanie cen sprzedaży / Zaokrąglanie do wartości psychologicznych";
constexpr const char* kToZero =
    "Parametry programu / Towary / Zaokrąglanie cen sprzedaży / Zaokrąglanie do zera na ostatniej pozycji";

void turn(const std::string& rule, bool on, double threshold = 0.0) {
    TestSupport::setSetting(Orvel::splitPath(rule + " / Włączone"), on);
    TestSupport::setSetting(Orvel::splitPath(rule + " / Próg zaokrąglania"), threshold);
}
void addGroup(const std::string& prefix) {
    TestSupport::setSetting(Orvel::splitPath(std::string(kToZero) + " / Grupy / " + prefix), "grupa");
}

TEST(SalePriceRounders, PsychologicalValuesEndInFiveOrNineZeroOnTheLastPositionInTenGroszeAndAPriceTooBigIsRefused) {
    using namespace Product::Tools;
    const SalePriceToPsychologicalValuesRounder psychological(0.0), psychologicalAbove10(10.0);
    const SalePriceToZeroOnLastPositionRounder toZero(0.0), toZeroAbove10(10.0);
    // A round price drops to the 9 below; hundredths first, halves up: 12.355 is 12.36. A price equal to the
    // threshold stays.
    const std::tuple<const ISalePriceRounder*, double, double> cases[] = {
        {&psychological, 12.30, 12.29},   {&psychological, 12.31, 12.35}, {&psychological, 12.36, 12.39},
        {&psychological, 12.39, 12.39},   {&psychological, 10.00, 9.99},  {&psychological, 12.355, 12.39},
        {&psychological, 12.3049, 12.29}, {&psychological, 21474836.41, 21474836.45},
        {&psychological, 21474836.45, 21474836.45}, {&toZero, 12.34, 12.3}, {&toZero, 12.35, 12.4},
        {&toZero, 12.96, 13.0}, {&psychologicalAbove10, 10.00, 10.00}, {&psychologicalAbove10, 10.01, 10.05},
        {&toZeroAbove10, 10.00, 10.00}, {&toZeroAbove10, 10.05, 10.1},
    };
    for (const auto& [rounder, price, rounded] : cases) EXPECT_DOUBLE_EQ(rounder->roundPrice(price), rounded) << price;

    // Its grosze counted in an int, psychological rounding refuses a price they cannot carry, not flip its sign.
    EXPECT_DOUBLE_EQ(psychological.rounding(-21474836.47), -21474836.48);
    for (const auto& [price, shown] : {std::pair{21474836.46, "21474836.46"}, {1e12, "1000000000000.00"},
                                       {-21474836.48, "-21474836.48"}})
        EXPECT_EQ(failure<std::runtime_error>([&, price = price] { psychological.rounding(price); }),
                  "Ceny " + std::string(shown) +
                      " nie można zaokrąglić do wartości psychologicznej: zaokrąglane są ceny od -21474836.47 do "
                      "21474836.45.");
}

TEST_F(OrdinaryMargins, RoundingToZeroWinsInGroupsBeginningWithAnEntryAndPsychologicalRoundingElsewhere) {
    turn(kPsychological, true);
    turn(kToZero, true);
    addGroup("0103");
    addGroup("02");
    // An entry longer than the group index ("0") never matches, nor one inside it but not at its start ("100103").
    for (const auto& [group, rounded] :
         {std::pair{"02", 12.3}, {"010300", 12.3}, {"0102", 12.35}, {"0", 12.35}, {"100103", 12.35}})
        EXPECT_DOUBLE_EQ(ProductSalePriceRounder(std::string(group)).roundSalePrice(12.34), rounded) << group;

    TestSupport::addProduct({}, 1, "Chleb", "");
    EXPECT_DOUBLE_EQ(ProductSalePriceRounder(std::int64_t{1}).roundSalePrice(12.34), 12.35) << "no group index";
}

TEST_F(OrdinaryMargins, TheRoundingRuleIsFixedWhenTheRounderIsMadeIsEnabledReadsAfreshAndOnlyTheChosenRuleIsRead) {
    turn(kToZero, true);
    addGroup("01");
    const ProductSalePriceRounder outside(std::string("0201"));
    EXPECT_TRUE(outside.isEnabled()) << "rounding to zero alone leaves other groups unrounded yet enabled";
    EXPECT_EQ(outside.roundSalePrice(12.34), 12.34);

    turn(kPsychological, true, 5.0);
    const ProductSalePriceRounder rounder(std::string("0201"));
    const ProductSalePriceRounder copy = rounder;
    turn(kPsychological, false);
    EXPECT_DOUBLE_EQ(rounder.roundSalePrice(12.30), 12.29);
    EXPECT_DOUBLE_EQ(copy.roundSalePrice(5.01), 5.05);
    EXPECT_EQ(copy.roundSalePrice(5.00), 5.00);
    turn(kToZero, false);
    EXPECT_FALSE(rounder.isEnabled());
    EXPECT_EQ(ProductSalePriceRounder(std::string("0201")).roundSalePrice(12.30), 12.30);

    // Only the settings of the chosen rule are read.
    const ProductSalePriceRounder dairy(std::string("0102"));
    const std::string psychological =
        "[\"Parametry programu\".Towary.\"Zaokrąglanie cen sprzedaży\".\"Zaokrąglanie do wartości "
        "psychologicznych\"]\n\"Włączone\" = ";
    TestSupport::replaceSettingsFile(psychological + "true\n\"Próg zaokrąglania\" = 1.0\n" +
                                     R"(["Parametry programu".Towary."Zaokrąglanie cen sprzedaży"."Zaokrąglanie do zera na ostatniej pozycji"]
"Włączone" = true
Grupy = { "01" = "nabiał" }
)");
    EXPECT_DOUBLE_EQ(ProductSalePriceRounder(std::string("0201")).roundSalePrice(12.30), 12.29)
        << "outside the groups the missing threshold of rounding to zero is never read";
    EXPECT_EQ(failure<std::logic_error>([] { ProductSalePriceRounder(std::string("0102")); }),
              "próba pobrania wartości typu (double) z pustego klucza\nParametry programu / Towary / Zaokrąglanie "
              "cen sprzedaży / Zaokrąglanie do zera na ostatniej pozycji / Próg zaokrąglania");
    TestSupport::replaceSettingsFile(psychological + "true\n");
    EXPECT_TRUE(dairy.isEnabled()) << "rounding to zero, missing now, is not read";
}

}  // namespace
