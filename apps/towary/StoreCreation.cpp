#include "apps/towary/StoreCreation.h"

#include "Core/Database/Session.h"
#include "Core/Database/StoreDatabase.h"
#include "Core/Database/TSessionHolder.h"
#include "Core/Store/StoreLocation.h"
#include "Core/tools/Beside.h"
#include "Core/tools/FileLock.h"
#include "Core/tools/SystemError.h"
#include "apps/towary/SampleLists.h"
#include "apps/towary/SampleSettings.h"

#include <sys/stat.h>

#include <cerrno>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>

namespace Towary::Host {
namespace {

namespace fs = std::filesystem;

// The mark of a store whose fill has not finished. The process filling the
// store holds a lock on it, so a mark nobody holds is one a killed fill left.
constexpr const char* kUnfinishedMark = ".towary-niedokonczony";

using Core::FileLock;

bool isUnfinished(const fs::path& dir) { return fs::exists(dir / kUnfinishedMark); }

std::runtime_error beingFilled(const fs::path& dir) {
    return std::runtime_error("Sklep w " + dir.string() +
                              " jest właśnie zakładany i wypełniany przez inne polecenie towary. Poczekaj, aż się "
                              "zakończy.");
}

std::runtime_error notEmpty(const fs::path& dir) {
    return std::runtime_error("Katalog " + dir.string() + " nie jest pusty; sklep zakłada się w nowym katalogu.");
}

// The store directory without a trailing separator or dots, so that it has a name and a parent.
fs::path storeDirectory() {
    auto dir = Core::Store::directory().lexically_normal();
    if (!dir.has_filename()) dir = dir.parent_path();
    return dir;
}

std::runtime_error cannotCreate(const fs::path& dir, int reason) {
    return std::runtime_error("Nie można założyć sklepu w " + dir.string() + " (katalog " +
                              dir.parent_path().string() + "): " + Core::systemErrorText(reason) + ".");
}

// A new, empty directory beside the store directory, made as any new
// directory is (under the umask), with a name no other process takes.
fs::path buildDirectoryBeside(const fs::path& dir) {
    std::error_code error;
    fs::create_directories(dir.parent_path(), error);
    if (error) throw cannotCreate(dir, error.value());
    const auto made =
        Core::makeBeside(dir, "init", [](const fs::path& name) { return ::mkdir(name.c_str(), 0777); });
    if (made.result < 0) throw cannotCreate(dir, errno);
    return made.name;
}

// The whole store in `build`: its log directory, settings file and database
// with the sample lists, the database in a file or in the server's database.
void buildStore(const fs::path& build, const std::string& server) {
    fs::create_directory(build / Core::Store::logDirectory().filename());
    writeSampleSettings(build / Core::Store::settingsFile().filename());
    if (!server.empty()) DBKernel::writeServerFile(build, server);
    const auto database = DBKernel::DatabaseLocation::ofStore(build);
    DBKernel::StoreDatabase::create(database);
    // The session closes before the rename, leaving the database whole in its one file.
    fillSampleLists(TSessionHolder(DBKernel::Session::open(database)));
}

// Moves a store a killed fill left out of the way in one step, then deletes
// it; false when there is none (its fill finished meanwhile). A fill that is
// still running is never touched.
bool discardUnfinished(const fs::path& dir) {
    const auto left = FileLock::tryExisting(dir / kUnfinishedMark, FileLock::Mode::exclusive);
    if (!left) {
        if (isUnfinished(dir)) throw beingFilled(dir);
        return false;
    }
    const auto aside = buildDirectoryBeside(dir);
    std::error_code error;
    fs::rename(dir, aside, error);
    if (error) throw cannotCreate(dir, error.value());
    fs::remove_all(aside, error);
    return true;
}

}  // namespace

void createStore(const StoreFill& fill, const std::string& server) {
    const auto dir = storeDirectory();
    const bool unfinished = isUnfinished(dir);
    if (!unfinished && fs::exists(dir) && !fs::is_empty(dir)) throw notEmpty(dir);
    // An empty store directory prepared for the store keeps its permissions.
    struct stat prepared {};
    const bool keepMode = ::stat(dir.c_str(), &prepared) == 0 && S_ISDIR(prepared.st_mode);
    const auto build = buildDirectoryBeside(dir);
    std::unique_ptr<FileLock> filling;
    try {
        buildStore(build, server);
        if (keepMode && ::chmod(build.c_str(), prepared.st_mode & 07777) != 0) throw cannotCreate(dir, errno);
        if (fill) filling = std::make_unique<FileLock>(build / kUnfinishedMark);
        if (unfinished && !discardUnfinished(dir)) throw notEmpty(dir);
        // An empty store directory is replaced by the built one in one step.
        std::error_code error;
        fs::rename(build, dir, error);
        // Another process filled the directory meanwhile.
        if (error == std::errc::directory_not_empty || error == std::errc::file_exists) throw notEmpty(dir);
        if (error) throw cannotCreate(dir, error.value());
    } catch (...) {
        std::error_code ignored;
        fs::remove_all(build, ignored);
        throw;
    }
    if (!Core::syncDirectoryOf(dir)) throw cannotCreate(dir, errno);
    if (!fill) return;
    fill(TSessionHolder(DBKernel::Session::open(DBKernel::DatabaseLocation::ofStore(dir))));
    // Removed while still held, so that no other process takes the mark for one a killed fill left.
    std::error_code error;
    fs::remove(dir / kUnfinishedMark, error);
    if (error || !Core::syncDirectoryOf(dir)) throw cannotCreate(dir, error ? error.value() : errno);
}

void checkStoreFinished() {
    const auto dir = storeDirectory();
    if (!isUnfinished(dir)) return;
    if (FileLock::tryExisting(dir / kUnfinishedMark, FileLock::Mode::shared))
        throw std::runtime_error("Sklep w " + dir.string() +
                                 " nie jest gotowy: przerwano polecenie, które go zakładało i wypełniało. Uruchom "
                                 "towary generate ponownie (zastąpi ten sklep) albo usuń katalog.");
    if (isUnfinished(dir)) throw beingFilled(dir);
}

}  // namespace Towary::Host
