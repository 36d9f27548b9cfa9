#include "tests/plu/PluStore.h"

#include "Core/Store/StoreLocation.h"
#include "Modules/Towary/Tools/plu/M_clsSprawdzeniePoprawnosciPLU.h"
#include "apps/towary/SampleSettings.h"
#include "tests/support/StoreRows.h"

namespace {

bool writeSettings() {
    Towary::Host::writeSampleSettings(Core::Store::settingsFile());
    return true;
}

}  // namespace

PluStore::PluStore() : settings_(writeSettings()) {
    registerSprawdzeniePoprawnosciPlu(registrations_);
}

void PluStore::run(const std::string& sql) { DBKernel::Sql::Command(sql, session_).execute(); }

void PluStore::addProduct(int id, const std::string& name, const std::string& index) {
    TestSupport::addProduct(session_, id, name, "01", index);
}

void PluStore::addCode(int id, const std::string& code, int product, int status) {
    TestSupport::addCode(session_, id, product, code, status);
}

void PluStore::bindToDocument(int codeId) {
    run("create unique index if not exists plu_ref_code on plu (lPluRef, sPLU)");
    run("create table if not exists DokPozPlu (lDokPozRef integer primary key, lPluRef integer, sPLU text, "
        "foreign key (lPluRef, sPLU) references plu (lPluRef, sPLU))");
    run("insert into DokPozPlu (lDokPozRef, lPluRef, sPLU) select lPluRef, lPluRef, sPLU from plu where lPluRef = " +
        std::to_string(codeId));
}

std::string PluStore::codes() {
    return TestSupport::rows(session_, "select lPluRef, sPLU, byStatus, lTowarRef from plu order by lPluRef", " ");
}

void PluStore::addMalformedCodes() {
    // A short code with leading zeros, corrected in place; its status 2 becomes 1.
    addProduct(1, "Mleko", "000001");
    addCode(10, "0017", 1, 2);
    // A weighed-goods code without its check digit, whose canonical text a deleted row carries.
    addProduct(2, "Ser", "000002");
    addCode(20, "280001700000", 2, 1);
    addCode(21, "2800017000004", 2, 3);
    // A canonical code and the same code padded with zeros, of one product.
    addProduct(3, "Kawa", "000003");
    addCode(30, "5901234123457", 3, 1);
    addCode(31, "005901234123457", 3, 1);
    // One UPC-A written two ways by two products.
    addProduct(4, "Cola", "000004");
    addProduct(5, "Pepsi", "000005");
    addCode(40, "036000291452", 4, 1);
    addCode(50, "00036000291452", 5, 1);
    // An EAN-8 without its check digit, printed on a document.
    addProduct(6, "Chleb", "000006");
    addCode(60, "1234567", 6, 1);
    bindToDocument(60);
    // No code at all.
    addProduct(7, "Woda", "000007");
    addCode(70, "12a4", 7, 1);
}
