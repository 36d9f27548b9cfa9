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
    // Writes the text to the file of the directory through an AtomicFile.
    void write(const std::string& text) {
        Core::AtomicFile file(file_);
        file.stream() << text;
        file.commit();
    }

    unsigned mode() const { return static_cast<unsigned>(fs::status(file_).permissions()); }
    std::ptrdiff_t entries() const { return std::distance(fs::directory_iterator(directory_.path()), {}); }

    TestSupport::TempStore directory_;
    fs::path file_ = directory_.path() / "plik.txt";
};

TEST_F(AtomicFileTest, ANewFileGetsTheUmasksPermissionsAnOldOneItsOwnAndWritersAtOnceEachATemporaryFileOfTheirOwn) {
    const mode_t mask = ::umask(027);
    write("nowy");
    ::umask(mask);
    EXPECT_EQ(mode(), 0640u);

    fs::permissions(file_, fs::perms::owner_read | fs::perms::owner_write);
    write("drugi");
    EXPECT_EQ(TestSupport::readFile(file_), "drugi");
    EXPECT_EQ(mode(), 0600u);
    EXPECT_EQ(entries(), 1) << "no temporary file is left behind";

    std::ofstream(file_) << "stary";
    {
        Core::AtomicFile first(file_);
        Core::AtomicFile second(file_);
        Core::AtomicFile dropped(file_);
        first.stream() << "pierwszy";
        second.stream() << "drugi";
        dropped.stream() << "porzucony";
        EXPECT_EQ(entries(), 4);
        EXPECT_EQ(TestSupport::readFile(file_), "stary");
        first.commit();
        second.commit();
    }
    EXPECT_EQ(TestSupport::readFile(file_), "drugi");
    EXPECT_EQ(entries(), 1);
}

}  // namespace
