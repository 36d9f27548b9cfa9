// towary vat and towary name short on a store made by towary init: the plan,
// the changes of a day, the PKWiU list, the pending changes, short names. What
// each change and name is, what the evening does with a plan and why a list is
// refused is the module's (tests/prices, tests/classification).

#include "tests/support/TowaryStore.h"

namespace {

using TestSupport::TowaryStore;

const std::string kPending = "Towar\tIndeks\tNazwa\tDzień\tStawka obecna\tStawka docelowa\n";

// Products 1 Sok (VAT 6, PKWiU 10.32.1), 2 Chleb (3, 10.71.1) and 3 Woda (13), of article indexes 00010N.
TEST_F(TowaryStore, VatPlanAsksApplyCarriesItOutThePkwiuListIsKeptOnlyOnYesAndShortNamesTakeTheDaysLetter) {
    exec("insert into towar (lTowarRef, sNazwa, sKrNazwa, sArtIndex, byVAT, byCode, sPKWiU, sGrIndex) values "
         "(1, 'Sok', 'Sok', '000101', 6, 6, '10.32.1', '01'), (2, 'Chleb', 'Chleb', '000102', 3, 6, '10.71.1', '01'), "
         "(3, 'Woda', 'Woda', '000103', 13, 6, '', '01')");
    expectOutput(run("vat", {"pending"}), "Brak zaplanowanych zmian stawek VAT.\n");
    expectFailureWith(run("vat", {"plan"}), "Zaplanować zmiany stawek VAT?");
    expectOutput(TestSupport::runTowary({"--yes", "vat", "plan", dir_}),
                 "== Pytanie... ==\nZaplanować zmiany stawek VAT? [tak]\n[ ] Nadpisz zaplanowane wcześniej zmiany stawek\n" +
                     kPending + "1\t000101\tSok\t2011-01-01\t6 (22%)\t13 (23%)\n2\t000102\tChleb\t2011-01-01\t3 (7%)\t12 (8%)\n");
    expectOutput(TestSupport::runTowary({"--yes", "vat", "apply", dir_, "--day", "2011-01-01"}),
                 "Planowanie zmiany stawki VAT dla towarów, które nie posiadają zdefiniowanej zmiany stawki.\n"
                 "Modyfikacja stawek VAT dla towarów...\nZmodyfikowano stawkę VAT dla 2 towarów.\n"
                 "Wysłano konfigurację stawek VAT do kas.\n");

    // Short names take the fiscal letter of the day's rate.
    expectCases("name", {{{"short", "Mleko 2%", "13"}, "\"Mleko 2%           A\"\n", 0},
                         // Ż, ó and ć typed as letters with combining marks keep their Polish letters.
                         {{"short", "Z\xCC\x87o\xCC\x81\xC5\x82" "c\xCC\x81 mas\xC5\x82o", "13"}, "\"Żółć masło         A\"\n", 0},
                         {{"short", "Łosoś wędzony ©", "11", "--day", "2011-01-01"}, "\"Łosoś wędzony      E\"\n", 0}});

    // The PKWiU list plans changes only on yes.
    exec("update towar set byVAT = 13");
    const auto pkwiu = file("pkwiu.txt", "10.32\t5%\n10.71\t8%\t10.71.2\t10.71.3\n");
    expectOutput(TestSupport::runTowary({"--no", "vat", "import", dir_, pkwiu}),
                 "Linia 1: PKWiU 10.32*, stawka 5%: 1 towarów\nLinia 2: PKWiU 10.71* bez 10.71.2*, 10.71.3*, stawka 8%: "
                 "1 towarów\nZmieniono stawki VAT dla 2 towarów. Zachować zmiany? [nie]\n");
    expectOutput(run("vat", {"pending"}), "Brak zaplanowanych zmian stawek VAT.\n");
    expectSuccess(TestSupport::runTowary({"--yes", "vat", "import", dir_, pkwiu}));
    expectOutput(run("vat", {"pending"}), kPending + "1\t000101\tSok\t2011-01-01\t13 (23%)\t9 (5%)\n"
                                                     "2\t000102\tChleb\t2011-01-01\t13 (23%)\t12 (8%)\n");
}

}  // namespace
