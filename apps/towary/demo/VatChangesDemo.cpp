// The VAT change of 2011-01-01 on the products of the products step: three
// of them given the old rates, the change planned, the evening of
// 2010-12-31 (which, in the network KVR, also renames the short names once)
// and the evening of 2011-01-01, which carries the change out and writes the
// tills' VAT configuration into the store's outbox.

#include "Core/Database/Query.h"
#include "Core/Database/TSessionHolder.h"
#include "Core/Setup/SettingsWriter.h"
#include "Core/Store/StoreLocation.h"
#include "Core/tools/DayNumber.h"
#include "Modules/Towary/Tools/classification/CKrNazwaCreator.h"
#include "Modules/Towary/Tools/prices/CVATModifier.h"
#include "Modules/Towary/Tools/prices/VatChangeActions.h"
#include "apps/towary/demo/Demo.h"
#include "apps/towary/evening/EveningRun.h"
#include "apps/towary/register/VatConfigurationSender.h"

#include <filesystem>
#include <ostream>
#include <sstream>
#include <string>

namespace Towary::Host::Demo {
namespace {

constexpr const char* kVatSampleIndexes = "('000101', '000102', '000103')";

void showVatAndShortNames(std::ostream& out, TSessionHolder session) {
    DBKernel::Sql::OpenedQuery products(
        std::string("select t.sArtIndex, t.byCode, t.byVAT, s.sNazwa stawka, t.sKrNazwa from towar t left join "
                    "stawkavat s on "
                    "s.byVAT = t.byVAT where t.sArtIndex in ") +
            kVatSampleIndexes + " order by t.sArtIndex",
        session);
    while (products.next())
        out << "  " << products["sArtIndex"].asString() << "  poziom " << products["byCode"].asString() << "  VAT "
            << products["byVAT"].asString() << " ("
            << products["stawka"].asString() << "), krótka nazwa \"" << products["sKrNazwa"].asString() << "\"\n";
}

void runEvening(std::ostream& out, int day) {
    std::ostringstream log;
    EveningRun(day, log).run({Towar::kVatEveningStepGuid});
    out << "Odczyt wieczorny " << Core::DayNumber::toText(day) << ", krok zmian stawek VAT (bez czasu wpisów):\n";
    std::istringstream lines(log.str());
    // Each line starts with the time it was written, "YYYY-MM-DD HH:MM:SS ".
    for (std::string line; std::getline(lines, line);) out << "  " << line.substr(20) << '\n';
}

}  // namespace

void vatChanges(std::ostream& out) {
    TSessionHolder session;
    out << "Krótka nazwa \"Mleko UHT 3,2% Mleczna Dolina 1 l\" ze stawką 23%: \""
        << Towar::CKrNazwaCreator("Mleko UHT 3,2% Mleczna Dolina 1 l", 13, Towar::kVatChangeDay).get() << "\"\n";
    DBKernel::Sql::Command("update towar set byVAT = 6 where sArtIndex in ('000101', '000102')", session).execute();
    DBKernel::Sql::Command("update towar set byVAT = 3 where sArtIndex = '000103'", session).execute();
    {
        // Their short names made as the product form makes them.
        DBKernel::Sql::OpenedQuery products(
            std::string("select lTowarRef, sNazwa, byVAT from towar where sArtIndex in ") + kVatSampleIndexes, session);
        DBKernel::Sql::Command update("update towar set sKrNazwa = :shortName where lTowarRef = :id", session);
        while (products.next()) {
            update.Params["shortName"] = Towar::CKrNazwaCreator(products["sNazwa"].asString(),
                                                                products["byVAT"].asInt(), Towar::kVatChangeEve)
                                             .get();
            update.Params["id"] = products["lTowarRef"].asInt64();
            update.execute();
        }
    }
    out << "Trzy towary ze starymi stawkami (22% i 7%):\n";
    showVatAndShortNames(out, session);

    Towar::planVatRatesChange(session, false);
    {
        DBKernel::Sql::OpenedQuery planned("select count(*) n from zmianavat where ddata = 40544 and bapplied = 0",
                                           session);
        out << "Zaplanowano zmianę stawek na 2011-01-01 dla " << planned["n"].asString()
            << " towarów sklepu (22% -> 23%, 7% -> 8%, 3% -> 5%, 0% -> 5%, zw. -> 23%).\n";
    }

    Core::Setup::writeSetting(Core::Store::settingsFile(), {"Inne", "Nazwa sieci"}, std::string("KVR"));
    out << "Sklep należy do sieci KVR: wieczorem 2010-12-31 krótkie nazwy zmieniają się raz.\n";
    runEvening(out, Towar::kVatChangeEve);
    out << "Po odczycie 2010-12-31: w krótkiej nazwie każdego towaru poziomu 6 zmieniony jeden znak (pierwsza "
           "spacja od pozycji 16 w \"_\", a bez niej znak na pozycji 16); pozycje innych poziomów bez zmian:\n";
    showVatAndShortNames(out, session);
    runEvening(out, Towar::kVatChangeDay);
    out << "Po odczycie 2011-01-01: nowe stawki i krótkie nazwy z nową literą fiskalną:\n";
    showVatAndShortNames(out, session);
    const auto file = vatConfigurationFile(Towar::kVatChangeDay);
    out << "Konfiguracja stawek dla kas: "
        << std::filesystem::relative(file, Core::Store::directory()).string()
        << (std::filesystem::exists(file) ? "" : " (brak pliku)") << '\n';
}

}  // namespace Towary::Host::Demo
