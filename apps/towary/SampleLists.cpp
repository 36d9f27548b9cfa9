#include "apps/towary/SampleLists.h"

#include "Core/Database/Query.h"
#include "Core/Database/StoreDatabase.h"

#include <string>
#include <utility>

namespace Towary::Host {
namespace {

// The codes of today's rates and of the rates before 2011, which products no
// longer get but the planned VAT change of 2011-01-01 still maps (1 0 % and 8
// exempt to 9 5 % and 13 23 %, 2, 3 and 6 to 9, 12 and 13): today's 0 % and
// exempt rates have codes of their own, 10 and 11, which the plan leaves
// alone. Letters as the chain's fiscal printers are programmed: A 23 %, B 8 %,
// C 5 %, D 0 %, E exempt; each old rate kept the letter of the rate that
// replaced it (22 % and exempt to 23 % stayed A, 7 % to 8 % stayed B, 3 % and
// 0 % to 5 % stayed C) when the registers were reprogrammed, so receipts'
// short names did not change. Names are unique: the PKWiU list names rates.
constexpr const char* kRates =
    "insert into stawkavat (byVAT, sNazwa, dStawka, bWykluczonaDlaTowarow, sKodFiskalny) values"
    " (1, '0% do 2010', 0.00, 1, 'C'), (2, '3%', 0.03, 1, 'C'), (3, '7%', 0.07, 1, 'B'), (6, '22%', 0.22, 1, 'A'),"
    " (8, 'zw. do 2010', 0.00, 1, 'A'), (9, '5%', 0.05, 0, 'C'), (10, '0%', 0.00, 0, 'D'), (11, 'zw.', 0.00, 0, 'E'),"
    " (12, '8%', 0.08, 0, 'B'), (13, '23%', 0.23, 0, 'A')";

constexpr const char* kUnits =
    "insert into jednostkamiary (nJm, sSkrot, sNazwa) values"
    " (1, 'szt', 'sztuka'), (2, 'ltr', 'litr'), (3, 'kg', 'kilogram'), (4, 'but', 'butelka'),"
    " (5, 'kar', 'karton'), (6, 'pal', 'paleta'), (7, 'op', 'opakowanie'), (8, 'mb', 'metr bieżący'),"
    " (9, 'm2', 'metr kwadratowy'), (10, 'm3', 'metr sześcienny'), (11, 'kpl', 'komplet'),"
    " (12, 'zgr', 'zgrzewka'), (13, 'dsp', 'displej')";

// Cards and foreign currencies are groups on the tills' payment screen; a
// receipt is paid with one of their final forms.
constexpr const char* kPaymentForms =
    "insert into formaplatnosci (lPlatnoscRef, sNazwa, sSkrot, bKoncowa, bKrajowa) values"
    " (1, 'Gotówka', 'zł', 1, 1), (2, 'Karty płatnicze', 'karty', 0, 0), (3, 'Karta debetowa', 'debet', 1, 0),"
    " (4, 'Karta kredytowa', 'kredyt', 1, 0), (5, 'Bon towarowy', 'bon', 1, 0), (6, 'Waluty obce', 'waluty', 0, 0),"
    " (7, 'Euro', 'EUR', 1, 0), (8, 'Przelew', 'przelew', 1, 0)";

}  // namespace

void fillSampleLists(TSessionHolder session) {
    DBKernel::TransactionGuard transaction(session);
    for (const char* list : {kRates, kUnits, kPaymentForms}) DBKernel::Sql::Command(list, session).execute();
    transaction.commit();
}

}  // namespace Towary::Host
