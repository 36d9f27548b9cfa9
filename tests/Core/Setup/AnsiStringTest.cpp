#include "Core/System/AnsiString.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

TEST(AnsiString, CountsCharactersAndConvertsBothWays) {
    const System::AnsiString name = std::string("Żółta łąka");
    EXPECT_EQ(name.Length(), 10);
    EXPECT_EQ(std::string(name).size(), 15u) << "the text stays UTF-8";
    EXPECT_TRUE(System::AnsiString().IsEmpty());
    EXPECT_LT(System::AnsiString("Sekcja"), System::AnsiString("Sektor"));
    std::ostringstream out;
    out << name;
    EXPECT_EQ(out.str(), "Żółta łąka");
}

}  // namespace
