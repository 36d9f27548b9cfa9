// decodeString over the store's own lists, as text and run on the store.

#include "Core/MeasureUnits/AvailMeasureUnits.h"
#include "Core/Payments/FormyPlatnosci.h"
#include "Core/Singleton/SingletonImplHolder.h"
#include "Core/Vat/AvailVatRates.h"
#include "Modules/Towary/Tools/products/DecodeString.h"
#include "tests/products/ProductStore.h"

namespace {

TEST_F(ProductStore, RatesAreBareNumbersNamesEscapedLiteralsAndOnlyCodesWithAValueCount) {
    TestSupport::exec(session_, "insert into stawkavat (byVAT, sNazwa, dStawka, bWykluczonaDlaTowarow, sKodFiskalny) "
                                "values (0, '23%', 0.23, 0, 'A'), (1, 'stawka ''obniżona''', 0.08, 0, 'B')");
    TestSupport::exec(session_, "insert into jednostkamiary (nJm, sSkrot, sNazwa) values (1, 'szt', 'sztuka'), "
                                "(3, 'kg', 'kilogram'), (4, 'but', 'butelka')");
    TestSupport::exec(session_, "insert into formaplatnosci (lPlatnoscRef, sNazwa, sSkrot, bKoncowa, bKrajowa) values "
                                "(1, 'Gotówka', 'zł', 1, 1), (2, 'Karty', 'karta', 0, 0), "
                                "(3, 'Karta Visa', 'visa', 1, 0)");
    TestSupport::exec(session_, "insert into towar (lTowarRef, sNazwa, sGrIndex, sArtIndex, byVAT, nJmSprz, byCode, "
                                "byTyp) values (1, 'Mleko', '01', '000001', 1, 3, 6, 8)");
    Core::ImplRegistration<Vat::AvailVatRates> rates;
    Core::ImplRegistration<Core::AvailMeasureUnits> units;
    Core::ImplRegistration<Platnosci::FormyPlatnosci> forms;
    const auto selectOne = [this](const std::string& expression) {
        return column("select " + expression + " from towar t where t.lTowarRef = 1");
    };

    EXPECT_EQ(decodeString("t.", dtPoprStawkaVat), "decode(t.byPoprVAT, 0, 23, 1, 8)");
    EXPECT_EQ(decodeString(dtPoprVat), "decode(byPoprVAT, 0, '23%', 1, 'stawka ''obniżona''')");
    EXPECT_EQ(selectOne(decodeString("t.", dtVat)), "stawka 'obniżona'");
    EXPECT_EQ(selectOne(decodeString("t.", dtStawkaVat)), "8");

    EXPECT_EQ(decodeString("t.", dtJmPrzelicznik), "decode(t.nJmPrzelicznik, 1, 'sztuka', 3, 'kilogram', 4, 'butelka')");
    EXPECT_EQ(selectOne(decodeString("t.", dtJmSprz)), "kilogram");
    const std::string types = decodeString("t.", dtTypTowaru);
    EXPECT_EQ(selectOne(types), "Zestaw rozbijany");
    EXPECT_EQ(types.substr(types.size() - 19), ", 23, 'Propozycja')") << "up to the last type";

    EXPECT_EQ(decodeString(dtFormaPlatnosci), "decode(lPlatnoscRef, 1, 'Gotówka', 3, 'Karta Visa')")
        << "the final payment forms only";
}

}  // namespace
