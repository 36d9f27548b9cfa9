// Scale numbers for products of the products step, a status change planned
// for tomorrow, and the evening run that applies it, withdraws a product
// whose stock is used up and frees the number of a product not sold for long.

#include "Core/Database/Query.h"
#include "Core/Database/TSessionHolder.h"
#include "Core/tools/DayNumber.h"
#include "apps/towary/demo/Demo.h"
#include "apps/towary/evening/EveningRun.h"
#include "apps/towary/scales/ScaleNumbers.h"
#include "apps/towary/status/StatusPlans.h"

#include <ostream>
#include <sstream>
#include <string>

namespace Towary::Host::Demo {
namespace {

// Index, name, status and scale number of the products the step works with.
void showStatusesAndScales(std::ostream& out, TSessionHolder session) {
    DBKernel::Sql::OpenedQuery products(
        "select t.sArtIndex, t.sNazwa, t.nStatusAktywnosci, s.sNazwa status, t.nWagaSekcja, t.nWagaPLU"
        " from towar t left join statusaktywnosci s on s.nStatusAktywnosci = t.nStatusAktywnosci"
        " where t.sArtIndex in ('000101', '000102', '000103', '000105') order by t.sArtIndex",
        session);
    while (products.next())
        out << "  " << products["sArtIndex"].asString() << "  status " << products["nStatusAktywnosci"].asString()
            << " " << products["status"].asString() << ", waga: "
            << (products["nWagaSekcja"].isNull()
                    ? std::string("brak")
                    : "sekcja " + products["nWagaSekcja"].asString() + " numer " + products["nWagaPLU"].asString())
            << "  (" << products["sNazwa"].asString() << ")\n";
}

}  // namespace

void scalesAndStatuses(std::ostream& out) {
    TSessionHolder session;
    const int today = Core::DayNumber::today();
    const std::string tomorrow = Core::DayNumber::toText(today + 1);

    out << "Wolny numer w sekcji 3 (Sery): " << ScaleNumbers::propose(3, session) << '\n';
    out << ScaleNumbers::set("/000103", 3, "1", session) << '\n';
    out << ScaleNumbers::set("/000105", 7, "1", session) << '\n';
    out << "Gouda sprzedana wczoraj, chleb ostatnio 200 dni temu; mleko 000101 ma status 4 i zapas 0.\n";
    for (const std::string& statement :
         {"update towar set dataOstSprzed = " + std::to_string(today - 1) + " where sArtIndex = '000103'",
          "update towar set dataOstSprzed = " + std::to_string(today - 200) + " where sArtIndex = '000105'",
          "update towar set nStatusAktywnosci = 4, dLastSTNDate = " + std::to_string(today) +
              " where sArtIndex = '000101'",
          "insert into stn (lTowarRef, data, dStan) select lTowarRef, " + std::to_string(today) +
              ", 0 from towar where sArtIndex = '000101'",
          std::string("update towar set nStatusAktywnosci = 1 where sArtIndex in ('000102', '000103', '000105')")})
        DBKernel::Sql::Command(statement, session).execute();
    out << StatusPlans::plan("/000102", 3, tomorrow) << '\n';
    out << "Przed odczytem wieczornym:\n";
    showStatusesAndScales(out, session);

    std::ostringstream log;
    EveningRun(today, log).run(listedEveningSteps());
    out << "Dziennik odczytu wieczornego (bez czasu wpisów):\n";
    std::istringstream lines(log.str());
    // Each line starts with the time it was written, "YYYY-MM-DD HH:MM:SS ".
    for (std::string line; std::getline(lines, line);) out << "  " << line.substr(20) << '\n';
    out << "Po odczycie wieczornym:\n";
    showStatusesAndScales(out, session);
    StatusPlans::list(true, out);
}

}  // namespace Towary::Host::Demo
