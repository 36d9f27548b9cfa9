// The server keeps the version of the routines it runs and a build defines its
// own only over older ones, so a change of the routines script that does not
// raise the version would never reach a server that has the old ones.

#include "Core/Database/Schema.h"

#include <boost/crc.hpp>

#include <gtest/gtest.h>

namespace {

// The routines' version and the script's digest at it. When the script changes, raise the
// version in RoutinesVersion.cpp and write its new digest here.
constexpr int kVersion = 2;
constexpr unsigned kDigest = 3278272072u;

TEST(RoutinesVersion, IsRaisedWithEveryChangeOfTheRoutinesScript) {
    boost::crc_32_type crc;
    const auto script = DBKernel::Schema::postgresqlRoutines();
    crc.process_bytes(script.data(), script.size());
    EXPECT_EQ(DBKernel::Schema::postgresqlRoutinesVersion(), kVersion);
    EXPECT_EQ(crc.checksum(), kDigest)
        << "the routines script changed: raise its version in schema/postgresql/RoutinesVersion.cpp and record "
           "the new digest in this test";
}

}  // namespace
