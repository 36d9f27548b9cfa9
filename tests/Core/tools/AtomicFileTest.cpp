#include "Core/tools/AtomicFile.h"
#include "tests/support/RunTowary.h"
#include "tests/support/TempStore.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>

namespace {

namespace fs = std::filesystem;

class AtomicFileTest : public ::testing::Test {
protected:
    fs::path file(const char* name) const { return directory_.path() / name; }

    static unsigned mode(const fs::path& path) { return static_cast<unsigned>(fs::status(path).permissions()); }
    std::ptrdiff_t entries() const { return std::distance(fs::directory_iterator(directory_.path()), {}); }

    TestSupport::TempStore directory_;
};

TEST_F(AtomicFileTest, ANewFileGetsTheUmasksPermissionsAndAnOldOneKeepsItsOwn) {
    const mode_t mask = ::umask(027);
    Core::AtomicFile fresh(file("nowy.txt"));
    fresh.stream() << "nowy";
    fresh.commit();
    ::umask(mask);
    EXPECT_EQ(mode(file("nowy.txt")), 0640u);

    fs::permissions(file("nowy.txt"), fs::perms::owner_read | fs::perms::owner_write);
    Core::AtomicFile again(file("nowy.txt"));
    again.stream() << "drugi";
    again.commit();
    EXPECT_EQ(TestSupport::readFile(file("nowy.txt")), "drugi");
    EXPECT_EQ(mode(file("nowy.txt")), 0600u);
    EXPECT_EQ(entries(), 1) << "no temporary file is left behind";
}

TEST_F(AtomicFileTest, WritersAtOnceEachGetTheirOwnTemporaryFileAndADroppedOneChangesNothing) {
    std::ofstream(file("plik.txt")) << "stary";
    {
        Core::AtomicFile first(file("plik.txt"));
        Core::AtomicFile second(file("plik.txt"));
        Core::AtomicFile dropped(file("plik.txt"));
        first.stream() << "pierwszy";
        second.stream() << "drugi";
        dropped.stream() << "porzucony";
        EXPECT_EQ(entries(), 4);
        EXPECT_EQ(TestSupport::readFile(file("plik.txt")), "stary");
        first.commit();
        second.commit();
    }
    EXPECT_EQ(TestSupport::readFile(file("plik.txt")), "drugi");
    EXPECT_EQ(entries(), 1);
}

}  // namespace
