#include "Core/tools/AtomicFile.h"
#include "tests/support/RunTowary.h"
#include "tests/support/TempStore.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>

namespace fs = std::filesystem;

TEST(AtomicFile, ANewFileGetsTheUmasksPermissionsAnOldOneItsOwnAndWritersAtOnceEachATemporaryFileOfTheirOwn) {
    const TestSupport::TempStore directory;
    const fs::path target = directory.path() / "plik.txt";
    // Writes the text to the file of the directory through an AtomicFile.
    const auto write = [&](const std::string& text) {
        Core::AtomicFile file(target);
        file.stream() << text;
        file.commit();
    };
    const auto mode = [&] { return static_cast<unsigned>(fs::status(target).permissions()); };
    const auto entries = [&] { return std::distance(fs::directory_iterator(directory.path()), {}); };

    const mode_t mask = ::umask(027);
    write("nowy");
    ::umask(mask);
    EXPECT_EQ(mode(), 0640u);

    fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write);
    write("drugi");
    EXPECT_EQ(TestSupport::readFile(target), "drugi");
    EXPECT_EQ(mode(), 0600u);
    EXPECT_EQ(entries(), 1) << "no temporary file is left behind";

    std::ofstream(target) << "stary";
    {
        Core::AtomicFile first(target);
        Core::AtomicFile second(target);
        Core::AtomicFile dropped(target);
        first.stream() << "pierwszy";
        second.stream() << "drugi";
        dropped.stream() << "porzucony";
        EXPECT_EQ(entries(), 4);
        EXPECT_EQ(TestSupport::readFile(target), "stary");
        first.commit();
        second.commit();
    }
    EXPECT_EQ(TestSupport::readFile(target), "drugi");
    EXPECT_EQ(entries(), 1);
}
