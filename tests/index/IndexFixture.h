#pragma once
// A store with its hierarchy settings (and a database when asked for), the
// setup-key store and the site registered, as the host gives them to the module.

#include "Core/Firma/Site.h"
#include "Core/Setup/Setup.h"
#include "tests/support/Failure.h"
#include "tests/support/IndexSettings.h"
#include "tests/support/TempStore.h"

#include <gtest/gtest.h>


using TestSupport::failure;

class IndexFixture : public ::testing::Test {
protected:
    explicit IndexFixture(TestSupport::TempStore::Contents contents = TestSupport::TempStore::directoryOnly)
        : store_(contents) {
        TestSupport::writeIndexSettings();
    }

    void settings(const TestSupport::IndexSettings& values) { TestSupport::writeIndexSettings(values); }

    TestSupport::TempStore store_;
    Core::SetupRegistration setup_;
    Firma::SiteRegistration site_;
};
