#pragma once
// A store with the sample PLU rules, products and codes for the PLU check
// tests, the check's actions registered and the dialogs scripted.

#include "Core/registration/Registrations.h"
#include "Modules/Towary/Tools/plu/M_clsSprawdzeniePoprawnosciPLU.h"
#include "tests/support/SampleStore.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/StoreRows.h"

#include <initializer_list>
#include <string>
#include <tuple>

using TestSupport::exec;

class PluStore : public TestSupport::SampleStore {
protected:
    PluStore() { registerSprawdzeniePoprawnosciPlu(registrations_); }

    void addProduct(int id, const std::string& name, const std::string& index) {
        TestSupport::addProduct(session_, id, name, "01", index);
    }
    void addCode(int id, const std::string& code, int product, int status) {
        TestSupport::addCode(session_, id, product, code, status);
    }
    // A product, its index the id zero-padded to six digits, with its codes: id, text and status.
    void addProduct(int id, const std::string& name, std::initializer_list<std::tuple<int, const char*, int>> codes) {
        addProduct(id, name, "00000" + std::to_string(id));
        for (const auto& [codeId, code, status] : codes) addCode(codeId, code, id, status);
    }
    // A document line bound to the code row, which the database then refuses to change.
    void bindToDocument(int codeId) {
        exec(session_, "create unique index if not exists plu_ref_code on plu (lPluRef, sPLU)");
        exec(session_, "create table if not exists DokPozPlu (lDokPozRef integer primary key, lPluRef integer, sPLU "
                       "text, foreign key (lPluRef, sPLU) references plu (lPluRef, sPLU))");
        exec(session_, "insert into DokPozPlu (lDokPozRef, lPluRef, sPLU) select lPluRef, lPluRef, sPLU from plu "
                       "where lPluRef = " + std::to_string(codeId));
    }
    // Every code row as "id text status product", one a line, by id.
    std::string codes() {
        return TestSupport::rows(session_, "select lPluRef, sPLU, byStatus, lTowarRef from plu order by lPluRef", " ");
    }

    // The edge cases of the repair, one product each.
    void addMalformedCodes() {
        addProduct(1, "Mleko", {{10, "0017", 2}});  // a short code with leading zeros: corrected, its status 2 now 1
        // A weighed-goods code without its check digit, whose canonical text a deleted row carries.
        addProduct(2, "Ser", {{20, "280001700000", 1}, {21, "2800017000004", 3}});
        // A canonical code and the same code padded with zeros, of one product.
        addProduct(3, "Kawa", {{30, "5901234123457", 1}, {31, "005901234123457", 1}});
        // One UPC-A written two ways by two products.
        addProduct(4, "Cola", {{40, "036000291452", 1}});
        addProduct(5, "Pepsi", {{50, "00036000291452", 1}});
        addProduct(6, "Chleb", {{60, "1234567", 1}});  // an EAN-8 without its check digit, printed on a document
        bindToDocument(60);
        addProduct(7, "Woda", {{70, "12a4", 1}});  // no code at all
    }
    // codes() once those are repaired.
    static constexpr const char* kRepairedCodes =
        "10 17 1 1\n20 280001700000 3 2\n21 2800017000004 1 2\n30 5901234123457 1 3\n31 005901234123457 3 3\n"
        "40 036000291452 1 4\n50 00036000291452 1 5\n60 1234567 1 6\n70 12a4 1 7\n";

    TestSupport::ScopedDialogs dialogs_;
    Core::Registrations registrations_;
};
