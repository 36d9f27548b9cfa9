#include "apps/towary/StoreCreation.h"

#include "Core/Database/Session.h"
#include "Core/Database/StoreDatabase.h"
#include "Core/Database/TSessionHolder.h"
#include "Core/Store/StoreLocation.h"
#include "apps/towary/SampleLists.h"
#include "apps/towary/SampleSettings.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

namespace Towary::Host {
namespace {

namespace fs = std::filesystem;

// The mark of a store whose fill has not finished.
constexpr const char* kUnfinishedMark = ".towary-niedokonczony";

bool isUnfinished(const fs::path& dir) { return fs::exists(dir / kUnfinishedMark); }

std::runtime_error notEmpty(const fs::path& dir) {
    return std::runtime_error("Katalog " + dir.string() + " nie jest pusty; sklep zakłada się w nowym katalogu.");
}

// The store directory without a trailing separator or dots, so that it has a name and a parent.
fs::path storeDirectory() {
    auto dir = Core::Store::directory().lexically_normal();
    if (!dir.has_filename()) dir = dir.parent_path();
    return dir;
}

std::runtime_error cannotCreate(const fs::path& dir, const fs::path& where) {
    return std::runtime_error("Nie można założyć sklepu w " + dir.string() +
                              ": nie da się utworzyć katalogu ani zapisać plików w " + where.string() +
                              " (sprawdź uprawnienia i wolne miejsce na dysku).");
}

// A new, empty directory beside the store directory, with a name no other process takes.
fs::path buildDirectoryBeside(const fs::path& dir) {
    std::error_code error;
    fs::create_directories(dir.parent_path(), error);
    std::string pattern = (dir.parent_path() / ("." + dir.filename().string() + ".init-XXXXXX")).string();
    if (error || mkdtemp(pattern.data()) == nullptr) throw cannotCreate(dir, dir.parent_path());
    return pattern;
}

// The whole store in `build`: its log directory, settings file and database with the sample lists.
void buildStore(const fs::path& build) {
    fs::create_directory(build / Core::Store::logDirectory().filename());
    writeSampleSettings(build / Core::Store::settingsFile().filename());
    const auto database = build / Core::Store::databaseFile().filename();
    DBKernel::StoreDatabase::create(database);
    // The session closes before the rename, leaving the database whole in its one file.
    fillSampleLists(TSessionHolder(DBKernel::Session::open(database)));
}

// Moves an unfinished store out of the way in one step, then deletes it.
void discardUnfinished(const fs::path& dir) {
    const auto aside = buildDirectoryBeside(dir);
    std::error_code error;
    fs::rename(dir, aside, error);
    if (error) throw cannotCreate(dir, dir.parent_path());
    fs::remove_all(aside, error);
}

}  // namespace

void createStore(const StoreFill& fill) {
    const auto dir = storeDirectory();
    const bool unfinished = isUnfinished(dir);
    if (!unfinished && fs::exists(dir) && !fs::is_empty(dir)) throw notEmpty(dir);
    const auto build = buildDirectoryBeside(dir);
    try {
        buildStore(build);
        if (fill && !std::ofstream(build / kUnfinishedMark)) throw cannotCreate(dir, build);
        if (unfinished) discardUnfinished(dir);
        // An empty store directory is replaced by the built one in one step.
        std::error_code error;
        fs::rename(build, dir, error);
        // Another process filled the directory meanwhile.
        if (error == std::errc::directory_not_empty || error == std::errc::file_exists) throw notEmpty(dir);
        if (error) throw cannotCreate(dir, dir.parent_path());
    } catch (...) {
        std::error_code ignored;
        fs::remove_all(build, ignored);
        throw;
    }
    if (!fill) return;
    fill(TSessionHolder(DBKernel::Session::open(Core::Store::databaseFile())));
    fs::remove(dir / kUnfinishedMark);
}

void checkStoreFinished() {
    const auto dir = storeDirectory();
    if (isUnfinished(dir))
        throw std::runtime_error("Sklep w " + dir.string() +
                                 " nie jest gotowy: przerwano polecenie, które go zakładało i wypełniało. Uruchom "
                                 "towary generate ponownie (zastąpi ten sklep) albo usuń katalog.");
}

}  // namespace Towary::Host
