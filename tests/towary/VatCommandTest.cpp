// towary vat and towary name short on a store made by towary init: the plan,
// the changes of a day with the tills' file and the evening log, the PKWiU
// list, the pending changes, short names. What each change and name is, and
// why a list is refused, is the module's (tests/prices, tests/classification).

#include "tests/support/TowaryStore.h"

namespace {

using TestSupport::runTowary;

class VatCommand : public TestSupport::TowaryStore {
protected:
    void product(int id, const std::string& name, int vat, const std::string& pkwiu = "") const {
        exec("insert into towar (lTowarRef, sNazwa, sKrNazwa, sArtIndex, byVAT, byCode, sPKWiU, sGrIndex) values (" +
             std::to_string(id) + ", '" + name + "', '" + name + "', '00010" + std::to_string(id) + "', " +
             std::to_string(vat) + ", 6, '" + pkwiu + "', '01')");
    }
};

TEST_F(VatCommand, ShortNamesTakeTheFiscalLetterOfTheDaysRate) {
    expectOutput(run("name", {"short", "Mleko 2%", "13"}), "\"Mleko 2%           A\"\n");
    // Ż, ó and ć typed as letters with combining marks keep their Polish letters.
    expectOutput(run("name", {"short", "Z\xCC\x87o\xCC\x81\xC5\x82" "c\xCC\x81 mas\xC5\x82o", "13"}),
                 "\"Żółć masło         A\"\n");
    expectOutput(run("name", {"short", "Łosoś wędzony ©", "11", "--day", "2011-01-01"}), "\"Łosoś wędzony      E\"\n");
}

TEST_F(VatCommand, ThePlanAsksThenTheEveningCarriesItOutAndTellsTheTills) {
    product(1, "Sok jabłkowy", 6);
    product(2, "Chleb", 3);
    product(3, "Woda", 13);
    expectOutput(run("vat", {"pending"}), "Brak zaplanowanych zmian stawek VAT.\n");

    expectFailureWith(run("vat", {"plan"}), "Zaplanować zmiany stawek VAT?");
    expectOutput(runTowary({"--yes", "vat", "plan", dir_}),
                 "== Pytanie... ==\nZaplanować zmiany stawek VAT? [tak]\n"
                 "[ ] Nadpisz zaplanowane wcześniej zmiany stawek\n"
                 "Towar\tIndeks\tNazwa\tDzień\tStawka obecna\tStawka docelowa\n"
                 "1\t000101\tSok jabłkowy\t2011-01-01\t6 (22%)\t13 (23%)\n"
                 "2\t000102\tChleb\t2011-01-01\t3 (7%)\t12 (8%)\n");

    expectSuccess(runTowary({"evening", dir_, "--day", "2011-01-01"}));
    expectIn(TestSupport::readFile(dir_ + "/log/evening-2011-01-01.log"),
             {"Zmodyfikowano stawkę VAT dla 2 towarów.", "Wysłano konfigurację stawek VAT do kas."});
    expectIn(TestSupport::readFile(dir_ + "/outbox/tills/stawki-vat-2011-01-01.xml"), {"<Dzien>2011-01-01</Dzien>"});

    expectOutput(runTowary({"--yes", "vat", "apply", dir_, "--day", "2011-01-01"}),
                 "Planowanie zmiany stawki VAT dla towarów, które nie posiadają zdefiniowanej zmiany stawki.\n"
                 "Modyfikacja stawek VAT dla towarów...\n"
                 "Zmodyfikowano stawkę VAT dla 0 towarów.\n");
}

TEST_F(VatCommand, ThePkwiuListIsKeptOnlyOnYesAndABadLineNamesItself) {
    product(1, "Sok", 13, "10.32.1");
    product(2, "Chleb", 13, "10.71.1");
    const auto pkwiu = file("pkwiu.txt", "10.32\t5%\n10.71\t8%\t10.71.2\t10.71.3\n");
    expectOutput(runTowary({"--no", "vat", "import", dir_, pkwiu}),
                 "Linia 1: PKWiU 10.32*, stawka 5%: 1 towarów\n"
                 "Linia 2: PKWiU 10.71* bez 10.71.2*, 10.71.3*, stawka 8%: 1 towarów\n"
                 "Zmieniono stawki VAT dla 2 towarów. Zachować zmiany? [nie]\n");
    expectOutput(run("vat", {"pending"}), "Brak zaplanowanych zmian stawek VAT.\n");

    expectSuccess(runTowary({"--yes", "vat", "import", dir_, pkwiu}));
    expectOutput(run("vat", {"pending"}), "Towar\tIndeks\tNazwa\tDzień\tStawka obecna\tStawka docelowa\n"
                                          "1\t000101\tSok\t2011-01-01\t13 (23%)\t9 (5%)\n"
                                          "2\t000102\tChleb\t2011-01-01\t13 (23%)\t12 (8%)\n");
}

}  // namespace
