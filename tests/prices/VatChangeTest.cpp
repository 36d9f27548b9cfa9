// Planned VAT changes carried out and planned: the latest pending change of
// a product up to the day, the short name made anew, every change up to the
// day marked applied, the tills told; the built-in plan of 2011-01-01.

#include "Core/Action/ActionContainer.h"
#include "Core/Action/ArgumentGetters.h"
#include "Core/tools/DayNumber.h"
#include "Modules/Towary/Tools/prices/CVATModifier.h"
#include "apps/towary/evening/EveningRun.h"
#include "tests/prices/VatStore.h"
#include "tests/support/Failure.h"
#include "tests/support/RunTowary.h"

#include <sstream>

namespace {

class VatChange : public VatStore {
protected:
    static std::string modify(int day) { return Towar::CVATModifier(TSessionHolder()).modify(day); }
};

TEST_F(VatChange, TheLatestPendingChangeUpToTheDayIsCarriedOutAndEveryChangeUpToItMarked) {
    product(1, "Mleko 2%", 2);
    plan(11, 1, 100, 9);
    plan(12, 1, 105, 12);
    product(2, "Chleb", 3);
    plan(21, 2, 90, 12, "1");  // applied already: its day is past
    product(3, "Woda", 6);
    plan(31, 3, 110, 13);
    product(4, "Ser", 13, "", 6, "stara nazwa");
    plan(41, 4, 90, 9);    // superseded by the day-100 change: marked too
    plan(42, 4, 100, 13);  // the code the product has: marked, but neither counted nor renamed

    EXPECT_EQ(modify(104), changed(1));
    EXPECT_EQ(products(), "1|9|Mleko 2%           C\n2|3|Chleb\n3|6|Woda\n4|13|stara nazwa\n");
    EXPECT_EQ(plans(), "1|100|9|1\n1|105|12|-\n2|90|12|1\n3|110|13|-\n4|90|9|1\n4|100|13|1\n");
    EXPECT_EQ(modify(105), changed(1));
    EXPECT_EQ(products(), "1|12|Mleko 2%           B\n2|3|Chleb\n3|6|Woda\n4|13|stara nazwa\n");
    EXPECT_EQ(plans(), "1|100|9|1\n1|105|12|1\n2|90|12|1\n3|110|13|-\n4|90|9|1\n4|100|13|1\n");
}

TEST_F(VatChange, TheTillsGetTheDaysConfigurationOnlyThroughTheXmlModule) {
    const std::string module = "Parametry programu / FrontOffice / Serwer Kasowy / Moduł transmisji do kasy";
    product(1, "Sok", 6);
    plan(11, 1, 40544, 13);
    product(2, "Kawa", 6);
    plan(21, 2, 40544, 13);
    set(module, std::string("Inny.dll"));
    EXPECT_EQ(modify(40544), "Zmodyfikowano stawkę VAT dla 2 towarów.\n");
    EXPECT_FALSE(std::filesystem::exists(Towary::Host::vatConfigurationFile(40544)));

    plan(12, 1, 40545, 9);
    set(module, std::string("XMLBASEDSERVERCOMMUNICATION.DLL"));
    EXPECT_EQ(modify(40545), changed(1));
    EXPECT_EQ(Towary::Host::vatConfigurationFile(40545), Core::Store::tillOutbox() / "stawki-vat-2011-01-02.xml");
    const auto written = TestSupport::readFile(Towary::Host::vatConfigurationFile(40545));
    for (const char* part : {"<KonfiguracjaStawekVat><Dzien>2011-01-02</Dzien><StawkaVat><Kod>1</Kod><Nazwa>0%</Nazwa>"
                             "<Wartosc>0</Wartosc><LiteraFiskalna>D</LiteraFiskalna><WykluczonaDlaTowarow>0",
                             "<Kod>13</Kod><Nazwa>23%</Nazwa><Wartosc>0.23</Wartosc><LiteraFiskalna>A</LiteraFiskalna>"})
        EXPECT_NE(written.find(part), std::string::npos) << written;

    // Without the key FrontOffice no module is configured.
    TestSupport::replaceSettingsFile("[\"Parametry programu\".Towary]\n\"Długość krótkiej nazwy\" = 20\n"
                                     "[\"Parametry programu\".Towary.\"Krótka nazwa\"]\n"
                                     "\"Dodatkowe dopuszczalne znaki\" = \"\"\n");
    plan(13, 1, 40546, 12);
    EXPECT_EQ(modify(40546), "Zmodyfikowano stawkę VAT dla 1 towarów.\n");
}

TEST_F(VatChange, AFailureHalfWayLeavesNoProductChangedAndNoChangeMarked) {
    product(1, "Sok", 6);
    plan(11, 1, 40544, 13);
    product(2, "Kawa", 6);
    plan(21, 2, 40544, 77);  // a code the rate list does not know: no fiscal letter
    product(3, "Herbata", 3);
    plan(31, 3, 40544, 12);
    const auto before = products() + plans();

    EXPECT_EQ(TestSupport::failure<std::runtime_error>([] { modify(40544); }),
              "Brak stawki VAT o kodzie 77 na liście stawek sklepu.");
    EXPECT_EQ(products() + plans(), before);

    // The evening step the same: the steps after it run on an unchanged store.
    std::ostringstream log;
    const auto reports = Towary::Host::EveningRun(40544, log).run({Towar::kVatEveningStepGuid});
    EXPECT_EQ(reports.at(0).outcome, Towary::Host::StepReport::Outcome::failed) << log.str();
    EXPECT_EQ(products() + plans(), before);
}

TEST_F(VatChange, TheBuiltInPlanMapsTheOldCodesOnceAndOverwritesOnRequest) {
    product(1, "a", 2);
    product(2, "b", 3);
    product(3, "c", 6, "", 3);  // a group: planned too
    product(4, "d", 1);
    product(5, "e", 8);
    product(6, "f", 9);   // a new code: never planned
    product(7, "g", 13);
    product(8, "h", 2);
    plan(81, 8, 40600, 12);  // a later plan of its own: kept unless overwritten
    plan(82, 8, 40000, 12, "1");

    TSessionHolder session;
    Towar::planVatRatesChange(session, false);
    EXPECT_EQ(plans(), "1|40544|9|0\n2|40544|12|0\n3|40544|13|0\n4|40544|9|0\n5|40544|13|0\n"
                       "8|40000|12|1\n8|40600|12|-\n");
    Towar::planVatRatesChange(session, false);
    EXPECT_EQ(rows("select count(*), count(dczasmod), count(lzmianavatref) from zmianavat"), "7|7|7\n");

    exec({}, "update zmianavat set byvat = 1 where ltowarref = 1");
    Towar::planVatRatesChange(session, true);
    EXPECT_EQ(plans(), "1|40544|9|0\n2|40544|12|0\n3|40544|13|0\n4|40544|9|0\n5|40544|13|0\n"
                       "8|40000|12|1\n8|40544|9|0\n");
}

TEST_F(VatChange, TheEveningOfTheChangePlansCarriesOutAndRenamesInTheNetworksThatDoIt) {
    product(1, "Mleko", 2, "", 6, "Mleko 3,2%         C");  // spaces from 10 on
    product(2, "Masło", 13, "", 6, "Masło extra 200g_xA");     // an underscore at 16, no later space
    product(3, "Jogurt", 13, "", 6, "Jogurt");                 // too short: left alone
    set("Inne / Nazwa sieci", std::string("KVR"));

    std::ostringstream log;
    auto reports = Towary::Host::EveningRun(Towar::kVatChangeEve, log).run({Towar::kVatEveningStepGuid});
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].outcome, Towary::Host::StepReport::Outcome::done) << log.str();
    const auto at = [text = log.str()](const std::string& part) { return text.find(part); };
    EXPECT_LT(at("Planowanie zmiany stawki VAT dla towarów, które nie posiadają zdefiniowanej zmiany stawki."),
              at("Zmodyfikowano stawkę VAT dla 0 towarów."));
    EXPECT_LT(at("Zmodyfikowano stawkę VAT dla 0 towarów."), at("Wykonano zmianę nazw towarów."));
    EXPECT_EQ(at("Wysłano konfigurację"), std::string::npos);
    EXPECT_EQ(products(), "1|2|Mleko 3,2%      _  C\n2|13|Masło extra 200g xA\n3|13|Jogurt\n");
    EXPECT_EQ(plans(), "1|40544|9|0\n");
    EXPECT_EQ(rows("select sValue from Properties where sKey = '{F993894E-DC31-404D-8B2D-49A12F6A8B93}'"), "tak\n");

    // The next day carries the plan out; a second renaming is refused.
    log.str("");
    reports = Towary::Host::EveningRun(Towar::kVatChangeDay, log).run({Towar::kVatEveningStepGuid});
    for (const char* line : {"Zmodyfikowano stawkę VAT dla 1 towarów.", "Wysłano konfigurację stawek VAT do kas."})
        EXPECT_NE(log.str().find(line), std::string::npos) << log.str();
    EXPECT_EQ(products(), "1|9|Mleko              C\n2|13|Masło extra 200g xA\n3|13|Jogurt\n");
    EXPECT_TRUE(std::filesystem::exists(Towary::Host::vatConfigurationFile(Towar::kVatChangeDay)));

    std::ostringstream out;
    const auto day = std::make_shared<Core::SessionDayStreamArgument>(TSessionHolder(), Towar::kVatChangeDay, out);
    const auto result = invoke<Core::IStatusGetter>(Towar::kVatMainMenuGuid, day);
    EXPECT_EQ(out.str(),
              "Planowanie zmiany stawki VAT dla towarów, które nie posiadają zdefiniowanej zmiany stawki.\n"
              "Modyfikacja stawek VAT dla towarów...\n"
              "Zmodyfikowano stawkę VAT dla 0 towarów.\n"
              "Zmiana nazw towarów została już wykonana wcześniej.\n");
    EXPECT_EQ(result->getStatus(), out.str());
}

TEST_F(VatChange, TheOtherActionsTakeTheirArgumentsAndTheExportRefuses) {
    product(1, "Sok", 6);
    plan(11, 1, 200, 13);
    const auto day = std::make_shared<Core::SessionDayArgument>(TSessionHolder(), 200);
    EXPECT_EQ(invoke<Core::IStatusGetter>(Towar::kVatFireGuid, day)->getStatus(), changed(1));
    EXPECT_EQ(TestSupport::failure<std::runtime_error>([this] { invoke(Towar::kVatExportGuid); }),
              "Próba wykonania eksportu z Centrali przy użyciu eksportera z Orvelu.");

    // Today's changes after the question; the menu action's text in an information box.
    plan(12, 1, Core::DayNumber::today(), 12);
    dialogs_->answers = {false};
    invoke(Towar::kChangeVatGuid);
    EXPECT_EQ(products(), "1|13|Sok                A\n");
    dialogs_->answers = {true};
    invoke(Towar::kChangeVatGuid);
    EXPECT_EQ(products(), "1|12|Sok                B\n");
    ASSERT_FALSE(dialogs_->shown.empty());
    EXPECT_EQ(dialogs_->shown.back().kind, "information");
    EXPECT_TRUE(dialogs_->shown.back().text.ends_with(changed(1)))
        << "the menu action's steps, whose lines the evening test checks: " << dialogs_->shown.back().text;
}

TEST_F(VatChange, ThePlanDialogAsksTwiceBeforeOverwriting) {
    product(1, "a", 2);
    plan(11, 1, 40600, 12);
    const auto planDialog = [this] { invoke(Towar::kPlanChangeVatGuid); };
    dialogs_->answers = {false};
    planDialog();
    EXPECT_EQ(plans(), "1|40600|12|-\n");
    EXPECT_EQ(dialogs_->shown.front().text, "Pytanie...\nZaplanować zmiany stawek VAT?");
    EXPECT_EQ(dialogs_->shown.at(1).text, "[ ] Nadpisz zaplanowane wcześniej zmiany stawek");

    dialogs_->answers = {true};  // not ticked: plans are kept
    planDialog();
    EXPECT_EQ(plans(), "1|40600|12|-\n");

    dialogs_->ticked = {"OVERWRITE"};
    dialogs_->answers = {true, false};  // ticked, but not confirmed: planning goes on without overwriting
    planDialog();
    EXPECT_EQ(plans(), "1|40600|12|-\n");
    EXPECT_EQ(dialogs_->shown.back().text,
              "Czy na pewno chcesz usunąć wcześniej zaplanowane zmiany stawek VAT dla wszystkich towarów w bazie?");

    dialogs_->answers = {true, true};
    planDialog();
    EXPECT_EQ(plans(), "1|40544|9|0\n");
}

}  // namespace
