#pragma once
// A store for the tests of planned VAT changes: the sample VAT rates, short
// names of 20 characters, the network and the tills' transmission module in
// the settings file, the module's VAT actions and the host's sender of the
// tills' VAT configuration registered, and scripted dialogs.

#include "Core/Action/ActionContainer.h"
#include "Core/Database/SQLUtils.h"
#include "Core/Setup/Setup.h"
#include "Core/Store/StoreLocation.h"
#include "Core/Vat/AvailVatRates.h"
#include "Modules/Towary/Tools/prices/VatChangeActions.h"
#include "apps/towary/register/VatConfigurationSender.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/SettingsFile.h"
#include "tests/support/StoreRows.h"
#include "tests/support/TempStore.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

using TestSupport::exec;

class VatStore : public ::testing::Test {
protected:
    VatStore() {
        TestSupport::replaceSettingsFile(R"(["Parametry programu".Towary]
"Długość krótkiej nazwy" = 20

["Parametry programu".Towary."Krótka nazwa"]
"Dodatkowe dopuszczalne znaki" = "ąęółśżźćńĄĘÓŁŚŻŹĆŃ%"

["Parametry programu".FrontOffice."Serwer Kasowy"]
"Moduł transmisji do kasy" = "XmlBasedServerCommunication.bpl"

[Inne]
"Nazwa sieci" = "SKLEP"
)");
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
    static void set(const std::string& path, const Orvel::TValue& value) {
        TestSupport::setSetting(Orvel::splitPath(path), value);
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

    TestSupport::TempStore store_{TestSupport::TempStore::withDatabase};
    Core::SetupRegistration setup_;
    Core::ImplRegistration<Vat::AvailVatRates> rates_;
    TestSupport::ScopedDialogs dialogs_;
    Core::Registrations module_;
    Core::Token sender_ = Towary::Host::registerVatConfigurationSender();
};
