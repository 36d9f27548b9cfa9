#include "tests/web/WebServerProcess.h"

namespace {

using TestSupport::SignedIn;

// A good variant and one whose order unit holds no sale unit, which no position can be filled from.
const std::string kVariants = R"(<variants>
  <variant><supplierIndex>HB-1200</supplierIndex><netPurchasePrice>12.5</netPurchasePrice>
    <catalogNetPurchasePrice>14</catalogNetPurchasePrice><logisticMinimum>24</logisticMinimum>
    <purchaseMeasureUnit>kar</purchaseMeasureUnit><purchaseMeasureUnitRate>12</purchaseMeasureUnitRate></variant>
  <variant><netPurchasePrice>1.1</netPurchasePrice><catalogNetPurchasePrice>1.25</catalogNetPurchasePrice>
    <purchaseMeasureUnit>sztuka</purchaseMeasureUnit><purchaseMeasureUnitRate>0</purchaseMeasureUnitRate></variant>
</variants>)";

class OrderVariant : public TestSupport::WebServerProcess {
protected:
    // Sends the variants as the clerk and runs his job over them until it asks; its question.
    nlohmann::json start(const SignedIn& as) {
        return startJob("order-variant", {{"upload", json(upload("warianty.xml", kVariants, as))["upload"]}}, as,
                        asks)["question"];
    }
};

TEST_F(OrderVariant, EachClerkChoosesInAJobOfHisOwnAndTheGoodVariantFillsThePosition) {
    const auto admin = this->admin();
    const auto clerk = this->clerk();
    // Both clerks' jobs run at once, each asking its own grid.
    const auto his = start(clerk);
    const auto grid = start(admin);
    EXPECT_EQ(grid["dialog"], "grid");
    EXPECT_EQ(grid["caption"], "Warianty");
    EXPECT_EQ(grid["columns"].size(), 8u);
    EXPECT_EQ(grid["columns"][7]["caption"], "Odrzucony");
    EXPECT_EQ(grid["rows"][0].back(), "");
    EXPECT_EQ(grid["rows"][1].back(), "Wariant 2: element \"purchaseMeasureUnitRate\" ma wartość \"0\", a powinien "
                                      "zawierać liczbę nie mniejszą niż 0.001.");

    // The administrator's answer reaches his job alone.
    const auto job = answer("order-variant", {{"question", grid}}, {{"row", 0}}, admin);
    EXPECT_EQ(job["ok"], true) << job["result"];
    // The position is the command's (tests/towary/OrderCommandTest); the page is told it.
    EXPECT_TRUE(told("output").starts_with("Pozycja zamówienia z wariantu 1:\n"
                                           "  Cena zakupu netto:                      12.5000\n"))
        << told("output");
    EXPECT_EQ(json(get("/api/jobs/order-variant", clerk))["job"]["question"], his);
    ASSERT_EQ(status(post("/api/jobs/order-variant/cancel", nlohmann::json::object(), clerk)), 200);
    EXPECT_EQ(pollUntil("order-variant", clerk, ended)["ok"], false);
}

}  // namespace
