#pragma once
// A store database for the product tests, with helpers that read rows back
// with plain selects, independent of the code under test.

#include "Core/BaseDBObjects/TTowar.h"
#include "Core/tools/Utf8.h"
#include "tests/support/StoreRows.h"
#include "tests/support/TempStore.h"

#include <gtest/gtest.h>

#include <string>

class ProductStore : public ::testing::Test {
protected:
    // A product of level 6 with the fields the multi-price logic writes.
    static TTowar product(int id, const std::string& name, const std::string& groupIndex, const std::string& index) {
        TTowar towar;
        towar.SetTowarRef(id);
        towar.SetNazwa(name);
        towar.SetKrNazwa(std::string(Core::Utf8::substr(name, 0, 4)));
        towar.SetGrIndex(groupIndex);
        towar.SetArtIndex(index);
        towar.SetVAT(13);
        towar.SetCode(6);
        towar.SetTyp(1);
        towar.SetWieleCen(0);
        towar.SetMarza(25.5);
        towar.SetSzerokosc(12);
        towar.SetczasUtworzenia(45000.25);
        return towar;
    }

    // One column of one row, as text ("<null>" for NULL, "<none>" for no row).
    std::string column(const std::string& select) { return TestSupport::value(session_, select); }

    TestSupport::TempStore store_{TestSupport::TempStore::withDatabase};
    TSessionHolder session_;
};
