#include "Core/Kolektor/FileSet.h"

#include "Core/Store/StoreLocation.h"
#include "Core/tools/Beside.h"
#include "Core/tools/SystemError.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <stdexcept>
#include <system_error>

namespace Kolektor {

std::filesystem::path directory() { return Core::Store::directory() / "kolektor"; }

FileSet::FileSet(std::string name) {
    if (!name.empty() && name.back() == '\\') name.pop_back();
    target_ = directory() / name;
    std::error_code error;
    std::filesystem::create_directories(directory(), error);
    if (error) fail("Nie można utworzyć katalogu kolektora " + directory().string(), error.value());
    const auto made = Core::makeBeside(target_, "tmp", [](const std::filesystem::path& path) {
        return ::mkdir(path.c_str(), 0777);
    });
    if (made.result != 0) fail("Nie można utworzyć zestawu plików kolektora " + target_.string(), errno);
    temporary_ = made.name;
}

FileSet::~FileSet() {
    files_.clear();
    std::error_code ignored;
    if (!temporary_.empty()) std::filesystem::remove_all(temporary_, ignored);
}

FileSet::File& FileSet::file(const std::string& name) {
    auto& file = files_[name];
    if (!file) {
        file = std::make_unique<File>(temporary_ / name);
        if (!file->out_) fail("Nie można utworzyć pliku kolektora " + name, errno);
    }
    return *file;
}

void FileSet::finish() {
    // The files and their names must be on disk before the set takes its
    // name, or a power loss could show the loader a set of empty files.
    for (auto& [name, file] : files_) {
        file->out_.flush();
        file->out_.close();
        if (!file->out_ || !Core::syncFile(temporary_ / name)) fail("Nie można zapisać pliku kolektora " + name, errno);
    }
    if (!Core::syncDirectoryOf(temporary_ / "."))
        fail("Nie można zapisać zestawu plików kolektora " + target_.string(), errno);
    std::error_code error;
    if (std::filesystem::exists(target_, error))
        throw std::runtime_error("Zestaw plików kolektora " + target_.string() + " już istnieje.");
    std::filesystem::rename(temporary_, target_, error);
    if (error) fail("Nie można zapisać zestawu plików kolektora " + target_.string(), error.value());
    temporary_.clear();
    if (!Core::syncDirectoryOf(target_))
        fail("Nie można zapisać zestawu plików kolektora " + target_.string(), errno);
}

void FileSet::fail(const std::string& what, int error) const {
    throw std::runtime_error(what + " (" + Core::systemErrorText(error) + ").");
}

FileSet::File::File(const std::filesystem::path& path) : out_(path, std::ios::binary) {}

void FileSet::File::addRecord(std::string_view plu, double price) {
    char text[64];
    std::snprintf(text, sizeof text, "\t%.2f\n", price);
    out_ << plu << text;
}

}  // namespace Kolektor
