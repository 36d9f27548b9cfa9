#pragma once
// A store with the sample PLU rules, products and codes for the PLU check
// tests, the check's actions registered and the dialogs scripted.

#include "Core/Database/Sql.h"
#include "Core/Setup/Setup.h"
#include "Core/registration/Registrations.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TempStore.h"

#include <gtest/gtest.h>

#include <string>

class PluStore : public ::testing::Test {
protected:
    PluStore();

    void run(const std::string& sql);
    void addProduct(int id, const std::string& name, const std::string& index);
    void addCode(int id, const std::string& code, int product, int status);
    // A document line bound to the code row, which the database then refuses to change.
    void bindToDocument(int codeId);
    // Every code row as "id text status product", one a line, by id.
    std::string codes();

    // The edge cases of the repair, one product each; see PluStore.cpp.
    void addMalformedCodes();
    // codes() once those are repaired.
    static constexpr const char* kRepairedCodes =
        "10 17 1 1\n"
        "20 280001700000 3 2\n21 2800017000004 1 2\n"
        "30 5901234123457 1 3\n31 005901234123457 3 3\n"
        "40 036000291452 1 4\n50 00036000291452 1 5\n"
        "60 1234567 1 6\n70 12a4 1 7\n";

    TestSupport::TempStore store_{TestSupport::TempStore::withDatabase};
    bool settings_;
    Core::SetupRegistration setup_;
    TSessionHolder session_;
    TestSupport::ScopedDialogs dialogs_;
    Core::Registrations registrations_;
};
