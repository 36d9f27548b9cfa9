// A product's stock, the quantity an open order and a booked document
// reserve, the units in complaint handling, and the ordering methods the
// store offers.

#include "Core/Database/Query.h"
#include "Core/Database/TSessionHolder.h"
#include "Core/tools/DayNumber.h"
#include "apps/towary/classification/ClassificationReports.h"
#include "apps/towary/demo/Demo.h"

#include <ostream>
#include <string>

namespace Towary::Host::Demo {

void quantities(std::ostream& out) {
    TSessionHolder session;
    const std::string today = std::to_string(Core::DayNumber::today());
    const std::string product = "(select lTowarRef from towar where sArtIndex = '000103')";
    for (const std::string& statement : {
             "insert into stn (lTowarRef, data, dStan) select lTowarRef, " + today +
                 " - 1, 30 from towar where sArtIndex = '000103'",
             "insert into stn (lTowarRef, data, dStan) select lTowarRef, " + today +
                 ", 24 from towar where sArtIndex = '000103'",
             std::string("insert into Dok (lDokRef, nTyp, nStatusPrzetw, nStatusKsieg) values (9001, 32, 1, 0), "
                         "(9002, 9, 0, 3)"),
             "insert into DokPoz (lDokPozRef, lDokRef, lTowarRef, dIlosc) values (9001, 9001, " + product +
                 ", 5), (9002, 9002, " + product + ", 2)",
             "insert into Reklamacja (lReklamacjaRef, lTowarRef, nWlasnosc, nMiejscePobytu) values (9001, " +
                 product + ", 1, 1)",
         })
        DBKernel::Sql::Command(statement, session).execute();
    out << "Towar 000103: stan wczoraj 30 kg, dziś 24 kg; zamówienie 9001 (typ 32, otwarte) rezerwuje 5 kg, zaksięgowany "
           "dokument 9002 (typ 9) 2 kg; jedna sztuka w reklamacji.\n";
    ClassificationReports::printStock("/000103", 0, session, out);
    out << "To samo, gdy edytowane jest zamówienie 9001 (jego rezerwacja się nie liczy):\n";
    ClassificationReports::printStock("/000103", 9001, session, out);
    out << "Algorytmy zamawiania sklepu i poziomy zapasu, z których korzystają:\n";
    ClassificationReports::printOrdering(out);
}

}  // namespace Towary::Host::Demo
