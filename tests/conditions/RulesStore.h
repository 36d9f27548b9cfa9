#pragma once
// A store with the sample settings, the company data-access object and rows
// written with plain statements, for the tests of the edition rules.

#include "Core/Firma/CompanyDao.h"
#include "Core/tools/DayNumber.h"
#include "Modules/Towary/Tools/products/getTTowarFromDB.h"
#include "tests/support/SampleStore.h"
#include "tests/support/SettingsFile.h"
#include "tests/support/StoreRows.h"

#include <string>

using TestSupport::setSetting;

class RulesStore : public TestSupport::SampleStore {
protected:
    TTowarPtr product(int id, const std::string& groupIndex, const std::string& articleIndex) {
        TestSupport::addProduct(session_, id, "Towar " + std::to_string(id), groupIndex, articleIndex);
        return Towar::getProduct(id, session_);
    }
    void run(const std::string& statement) { DBKernel::Sql::Command(statement, session_).execute(); }
    // An assortment list of the GUID valid from `from` to `to` days from today, holding the product.
    void addAssortment(int id, const std::string& guid, int from, int to, int productId) {
        const int today = Core::DayNumber::today();
        run("insert into Asort (lAsortRef, guid, sNazwa, dataOd, dataDo) values (" + std::to_string(id) + ", '" +
            guid + "', 'Lista', " + std::to_string(today + from) + ", " + std::to_string(today + to) + ")");
        run("insert into AsortPos (lAsortPosRef, lAsortRef, lTowarRef) values (" + std::to_string(id) + ", " +
            std::to_string(id) + ", " + std::to_string(productId) + ")");
    }

    Core::Token companyDao_ = Orvel::Dao::registerCompanyDao();
};
