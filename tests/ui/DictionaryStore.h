#pragma once
// A store in a temporary directory with what the dictionary windows need of
// the host: the settings (the edited cell's colour), the data-access objects
// of both dictionaries, the tills' sending of return reasons, and dialogs
// answered from the test. Rows are written and read on the main session,
// outside the windows' transactions (tests/support/StoreRows.h).

#include "Core/Database/TSessionHolder.h"
#include "Core/Products/CommissionGroupDao.h"
#include "Core/ReturnReasons/ReturnReasonDao.h"
#include "Core/ReturnReasons/ReturnReasonsToTills.h"
#include "Core/Setup/Setup.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/SettingsFile.h"
#include "tests/support/StoreRows.h"
#include "tests/support/TempStore.h"

#include <gtest/gtest.h>

class DictionaryStore : public ::testing::Test {
protected:
    static bool writeSettings() {
        TestSupport::replaceSettingsFile("[\"Parametry sklepu\".\"Wygląd\".Kolory]\n"
                                         "\"Kolor tła edytowanego pola\" = 12648447\n");
        return true;
    }

    TestSupport::TempStore store_{TestSupport::TempStore::withDatabase};
    const bool settingsWritten_ = writeSettings();
    Core::SetupRegistration setup_;
    Core::Token reasonDao_ = ReturnReasons::registerReturnReasonDao();
    Core::Token groupDao_ = Towar::registerCommissionGroupDao();
    Core::Token toTills_ = ReturnReasons::registerSendReturnReasonsToTills();
    TestSupport::ScopedDialogs dialogs_;
};
