#include "Core/Debug/Debug.h"
#include "tests/support/TempStore.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

TEST(Debug, OffUntilSwitchedOnThenWritesLinesWithTheirSource) {
    TestSupport::TempStore store;
    const auto file = store.path() / "log" / "debug.log";
    EXPECT_FALSE(Core::Debug::loggingEnabled());
    Core::Debug::logLine("not written", {"a", 1, "f"});
    EXPECT_FALSE(std::filesystem::exists(file));

    Core::Debug::enableLogging(file);
    EXPECT_TRUE(Core::Debug::loggingEnabled());
    Core::Debug::logDllEntryPoint(nullptr, 1, {"Modules/Towary/Tools/ProductTools", 65, "DllEntryPoint"});
    Core::Debug::disableLogging();

    std::ifstream in(file);
    std::ostringstream text;
    text << in.rdbuf();
    EXPECT_NE(text.str().find("Modules/Towary/Tools/ProductTools:65 DllEntryPoint: DllEntryPoint instance 0 reason 1 "
                              "(process attach)"),
              std::string::npos)
        << text.str();
    EXPECT_EQ(text.str().find("not written"), std::string::npos);
}
