// Planned VAT changes carried out and planned: the latest pending change of
// a product up to the day, the short name made anew, every change up to the
// day marked applied, the tills told; the built-in plan of 2011-01-01; and
// the PKWiU list import, which plans changes to that day for the products
// whose PKWiU code starts with a line's prefix, kept only when the user says
// so, and refuses a file or line that cannot be used with its line, leaving
// nothing.

#include "Core/Action/ActionContainer.h"
#include "Core/Action/ArgumentGetters.h"
#include "Core/Database/SQLUtils.h"
#include "Core/Store/StoreLocation.h"
#include "Core/Vat/AvailVatRates.h"
#include "Core/tools/DayNumber.h"
#include "Modules/Towary/Tools/prices/CVATModifier.h"
#include "Modules/Towary/Tools/prices/VatChangeActions.h"
#include "apps/towary/evening/EveningRun.h"
#include "apps/towary/register/VatConfigurationSender.h"
#include "tests/support/Failure.h"
#include "tests/support/RunTowary.h"
#include "tests/support/SampleStore.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/SettingsFile.h"
#include "tests/support/StoreRows.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace {

using TestSupport::exec;

// A store with the sample settings (short names of 20 characters, the tills'
// XML transmission module, the network SKLEP), the VAT rates, the module's
// VAT actions and the host's sender of the tills' VAT configuration
// registered, and scripted dialogs.
class VatChange : public TestSupport::SampleStore {
protected:
    VatChange() {
        exec({}, "insert into stawkavat (byVAT, sNazwa, dStawka, bWykluczonaDlaTowarow, sKodFiskalny) values"
                 " (1, '0%', 0.00, 0, 'D'), (2, '3%', 0.03, 1, 'C'), (3, '7%', 0.07, 1, 'B'), (6, '22%', 0.22, 1, 'A'),"
                 " (8, 'zw.', 0.00, 0, 'E'), (9, '5%', 0.05, 0, 'C'), (12, '8%', 0.08, 0, 'B'), (13, '23%', 0.23, 0, 'A')");
        registerVatModifierObjects(module_);
        registerVatModifierFuncObjects(module_);
    }

    // Runs one of the module's VAT actions, as the host's menu or evening run does.
    template <class Result = Core::IUnknown>
    std::shared_ptr<Result> invoke(const std::string& guid, const Core::IUnknownPtr& argument = {}) const {
        return Core::Action::CContainer::invoke<Result>(*this, guid, argument);
    }

    // A product (level 6 unless told) with its name, VAT code, short name (the name unless told) and PKWiU code.
    static void product(int id, const std::string& name, int vat, const std::string& pkwiu = "", int level = 6,
                        const std::string& shortName = "") {
        const auto text = [](const std::string& value) { return "'" + SQLUtils::SQLString(value) + "'"; };
        exec({}, "insert into towar (lTowarRef, sNazwa, sKrNazwa, byVAT, byCode, sPKWiU, sGrIndex) values (" +
                     std::to_string(id) + ", " + text(name) + ", " + text(shortName.empty() ? name : shortName) + ", " +
                     std::to_string(vat) + ", " + std::to_string(level) + ", nullif(" + text(pkwiu) + ", ''), '01')");
    }
    // A planned change; applied: "null", "0" or "1".
    static void plan(int id, int product, int day, int vat, const std::string& applied = "null") {
        exec({}, "insert into zmianavat (lzmianavatref, ltowarref, ddata, byvat, bapplied, dczasmod) values (" +
                     std::to_string(id) + ", " + std::to_string(product) + ", " + std::to_string(day) + ", " +
                     std::to_string(vat) + ", " + applied + ", 40000)");
    }
    static std::string modify(int day) { return Towar::CVATModifier(TSessionHolder()).modify(day); }
    // The module's text of a change carried out for `count` products, the tills told.
    static std::string changed(int count) {
        return "Zmodyfikowano stawkę VAT dla " + std::to_string(count) +
               " towarów.\nWysłano konfigurację stawek VAT do kas.\n";
    }

    static std::string rows(const std::string& query) { return TestSupport::rows({}, query); }
    static std::string products() { return rows("select lTowarRef, byVAT, sKrNazwa from towar order by lTowarRef"); }
    static std::string plans() {
        return rows("select ltowarref, ddata, byvat, bapplied from zmianavat order by ltowarref, ddata");
    }

    Core::ImplRegistration<Vat::AvailVatRates> rates_;
    TestSupport::ScopedDialogs dialogs_;
    Core::Registrations module_;
    Core::Token sender_ = Towary::Host::registerVatConfigurationSender();
};

TEST_F(VatChange, TheLatestPendingChangeUpToTheDayIsCarriedOutAndEveryChangeUpToItMarkedAllOrNothing) {
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

    // A failure half way leaves no product changed and no change marked.
    product(5, "Sok", 6);
    plan(51, 5, 40544, 13);
    product(6, "Kawa", 6);
    plan(61, 6, 40544, 77);  // a code the rate list does not know: no fiscal letter
    product(7, "Herbata", 3);
    plan(71, 7, 40544, 12);
    const auto before = products() + plans();
    EXPECT_EQ(TestSupport::failure<std::runtime_error>([] { modify(40544); }),
              "Brak stawki VAT o kodzie 77 na liście stawek sklepu.");
    EXPECT_EQ(products() + plans(), before);
    // The evening step reports the failure, and the steps after it run on an unchanged store.
    std::ostringstream log;
    const auto reports = Towary::Host::EveningRun(40544, log).run({Towar::kVatEveningStepGuid});
    EXPECT_EQ(reports.at(0).outcome, Towary::Host::StepReport::Outcome::failed) << log.str();
    EXPECT_EQ(products() + plans(), before);
}

TEST_F(VatChange, TheTillsGetTheDaysConfigurationOnlyThroughTheXmlModule) {
    const std::vector<std::string> module = {"Parametry programu", "FrontOffice", "Serwer Kasowy",
                                             "Moduł transmisji do kasy"};
    product(1, "Sok", 6);
    plan(11, 1, 40544, 13);
    product(2, "Kawa", 6);
    plan(21, 2, 40544, 13);
    TestSupport::setSetting(module, std::string("Inny.dll"));
    EXPECT_EQ(modify(40544), "Zmodyfikowano stawkę VAT dla 2 towarów.\n");
    EXPECT_FALSE(std::filesystem::exists(Towary::Host::vatConfigurationFile(40544)));

    plan(12, 1, 40545, 9);
    TestSupport::setSetting(module, std::string("XMLBASEDSERVERCOMMUNICATION.DLL"));
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

TEST_F(VatChange, TheBuiltInPlanMapsTheOldCodesOnceAndOverwritesOnRequest) {
    // Products with VAT codes 2, 3, 6 (of a group, planned too), 1, 8, two new codes, never planned, and 2.
    for (const auto& [id, vat, level] :
         {std::tuple{1, 2, 6}, {2, 3, 6}, {3, 6, 3}, {4, 1, 6}, {5, 8, 6}, {6, 9, 6}, {7, 13, 6}, {8, 2, 6}})
        product(id, "Towar", vat, "", level);
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
    TestSupport::setSetting({"Inne", "Nazwa sieci"}, std::string("KVR"));

    std::ostringstream log;
    auto reports = Towary::Host::EveningRun(Towar::kVatChangeEve, log).run({Towar::kVatEveningStepGuid});
    EXPECT_EQ(reports.at(0).outcome, Towary::Host::StepReport::Outcome::done) << log.str();
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
    EXPECT_EQ(reports.at(0).outcome, Towary::Host::StepReport::Outcome::done) << log.str();
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

TEST_F(VatChange, ThePlanDialogAsksTwiceBeforeOverwritingTheOtherActionsTakeTheirArgumentsAndTheExportRefuses) {
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

    // The other actions take their arguments; the export refuses.
    product(2, "Sok", 6);
    plan(21, 2, 200, 13);
    const auto day = std::make_shared<Core::SessionDayArgument>(TSessionHolder(), 200);
    EXPECT_EQ(invoke<Core::IStatusGetter>(Towar::kVatFireGuid, day)->getStatus(), changed(1));
    EXPECT_EQ(TestSupport::failure<std::runtime_error>([this] { invoke(Towar::kVatExportGuid); }),
              "Próba wykonania eksportu z Centrali przy użyciu eksportera z Orvelu.");

    // Today's changes (product 1's of 40544 too) after the question; the menu action's text in an information box.
    plan(22, 2, Core::DayNumber::today(), 12);
    dialogs_->answers = {false};
    invoke(Towar::kChangeVatGuid);
    EXPECT_EQ(products(), "1|2|a\n2|13|Sok                A\n");
    dialogs_->answers = {true};
    invoke(Towar::kChangeVatGuid);
    EXPECT_EQ(products(), "1|9|a                  C\n2|12|Sok                B\n");
    ASSERT_FALSE(dialogs_->shown.empty());
    EXPECT_EQ(dialogs_->shown.back().kind, "information");
    EXPECT_TRUE(dialogs_->shown.back().text.ends_with(changed(2)))
        << "the menu action's steps, whose lines the evening test checks: " << dialogs_->shown.back().text;
}

class PkwiuImport : public VatChange {
protected:
    PkwiuImport() {
        // A code with a hyphen (3) is never matched.
        for (const auto& [id, pkwiu] :
             {std::pair{1, "10.51.11"}, {2, "10.51.12"}, {3, "10.51-1"}, {4, "10.52.1"}, {5, "11.0"}, {6, "10'51.1"}})
            product(id, "Towar", 13, pkwiu);
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

TEST_F(PkwiuImport, ReadingStopsAtTheFirstEmptyLineNothingStaysUnlessKeptAByteOrderMarkIsNoPartOfAPrefixAndABadLineIsRefused) {
    import("11\t5%\n\n10.51\t8%\n", {false});
    EXPECT_EQ(lastShown(), "Zmieniono stawki VAT dla 1 towarów. Zachować zmiany?");
    EXPECT_EQ(plans(), "");

    import("99\t5%\n");
    EXPECT_EQ(dialogs_->shown.back().kind, "information");
    EXPECT_EQ(lastShown(), "Nie znaleziono towarów dla kodów PKWiU z pliku.");
    EXPECT_EQ(plans(), "");

    // A byte order mark before the first line is no part of its prefix.
    import("\xEF\xBB\xBF" "10.51\t5%\n11\t8%\n", {true});
    EXPECT_EQ(summary_.str(), "Linia 1: PKWiU 10.51*, stawka 5%: 2 towarów\nLinia 2: PKWiU 11*, stawka 8%: 1 towarów\n");
    EXPECT_EQ(plans(), "1|40544|9|0\n2|40544|9|0\n5|40544|12|0\n");

    import("\xEF\xBB\xBF\n10.51\t5%\n");  // only the mark: the list ends at its empty first line
    EXPECT_EQ(lastShown(), "Nie znaleziono towarów dla kodów PKWiU z pliku.");

    dialogs_->files = {std::nullopt};  // the dialog cancelled
    invoke(Towar::kChangeVatByPkwiuGuid);
    EXPECT_EQ(dialogs_->shown.back().text, "Wybierz plik z listą PKWiU");

    // A line that cannot be used is refused with its number, and nothing is written.
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
