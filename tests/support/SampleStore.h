#pragma once
// A test on a new store with its database and the sample settings `towary init` writes, the
// setup-key store registered after them, and a session; for the executables that link TowaryHost.

#include "Core/Database/TSessionHolder.h"
#include "Core/Setup/Setup.h"
#include "Core/Store/StoreLocation.h"
#include "apps/towary/SampleSettings.h"
#include "tests/support/TempStore.h"

#include <gtest/gtest.h>

namespace TestSupport {

class SampleStore : public ::testing::Test {
protected:
    TempStore store_{TempStore::withDatabase};
    // Written before the setup is registered, which reads them.
    bool settings_ = (Towary::Host::writeSampleSettings(Core::Store::settingsFile()), true);
    Core::SetupRegistration setup_;
    TSessionHolder session_;
};

}  // namespace TestSupport
