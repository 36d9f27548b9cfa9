// The store file written by the sqlite3 shell, with the functions the store's
// indexes call loaded from towary_sqlite as docs/database.md shows: the row
// lands, and the search's indexes hold what the store's sessions compute.

#include "Core/Store/StoreLocation.h"
#include "tests/support/StoreRows.h"
#include "tests/support/TempStore.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

// The shell's output and exit status for one statement on the store file.
std::pair<std::string, int> shell(const std::string& options, const std::string& statement) {
    const std::string command = "sqlite3 -bail " + options + " '" + Core::Store::databaseFile().string() + "' \"" +
                                statement + "\" 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    std::string output;
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) output += buffer;
    return {output, pclose(pipe)};
}

const std::string kInsert =
    "insert into towar (lTowarRef, sNazwa, sArtIndex, byCode) values (7, 'żółty ser gouda', '000123', 6)";

}  // namespace

TEST(SqliteShell, WritesAProductWithTheStoreFunctionsLoaded) {
    if (TestSupport::onServer()) GTEST_SKIP() << "the sqlite3 shell opens a store file";
#ifdef TOWARY_SANITIZED
    GTEST_SKIP() << "the sqlite3 shell, built without AddressSanitizer, cannot load a library built with it";
#endif
    TestSupport::TempStore store{TestSupport::TempStore::withDatabase};
    const auto [bare, bareStatus] = shell("", kInsert);
    EXPECT_NE(bareStatus, 0) << "without them the index on reverse_chars cannot be kept";
    EXPECT_NE(bare.find("reverse_chars"), std::string::npos) << bare;
    const auto [loaded, status] = shell("-cmd '.load " TOWARY_SQLITE_EXTENSION "'", kInsert);
    ASSERT_EQ(status, 0) << loaded;

    const auto session = TSessionHolder::open();
    EXPECT_EQ(TestSupport::value(session, "select lTowarRef from towar where upper(sNazwa) like 'ŻÓŁTY%'"), "7")
        << "found through towar_upper_sNazwa";
    EXPECT_EQ(TestSupport::value(session, "select lTowarRef from towar where sArtIndex like '%0123'"), "7")
        << "found through towar_reversed_sArtIndex";
    EXPECT_EQ(TestSupport::value(session, "pragma integrity_check"), "ok")
        << "the shell's index entries are the sessions' own";
}
