#include "Core/Setup/SettingsStore.h"

#include "Core/Setup/TomlSettings.h"

#include <sys/stat.h>

namespace Core::Setup {
namespace {

// What tells one version of the file from another without reading it. The
// identity catches a file replaced by rename within one timestamp tick.
struct FileStamp {
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    long modifiedSeconds = 0;
    long modifiedNanoseconds = 0;
    long changedSeconds = 0;
    long changedNanoseconds = 0;

    friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

FileStamp stampOf(const std::filesystem::path& file) {
    struct stat info {};
    if (::stat(file.c_str(), &info) != 0) throwMissingSettingsFile(file);
    return {info.st_dev,          info.st_ino,          info.st_size,         info.st_mtim.tv_sec,
            info.st_mtim.tv_nsec, info.st_ctim.tv_sec, info.st_ctim.tv_nsec};
}

}  // namespace

struct SettingsStore::Loaded {
    FileStamp stamp;
    std::uint64_t changes;  // the watch's count when the file was read
    std::uint64_t version;  // the reads_ it was
    toml::table root;
};

SettingsStore::SettingsStore(std::filesystem::path file) : file_(std::move(file)), watch_(file_) {}

SettingsStore::~SettingsStore() = default;

const SettingsStore::Loaded& SettingsStore::current() {
    // Both read before the file is, so a change made while it is read counts at the next lookup.
    const bool watching = watch_.watching();
    const std::uint64_t changes = watch_.changes();
    if (loaded_ && watching && loaded_->changes == changes) return *loaded_;
    const FileStamp stamp = stampOf(file_);
    if (!loaded_ || loaded_->stamp != stamp || loaded_->changes != changes) {
        // A file that fails to parse is read again and reported at every lookup until
        // it is fixed; the last good version is never served in its place.
        toml::table root = parseSettings(readSettingsText(file_), file_);
        loaded_ = std::make_unique<Loaded>(Loaded{stamp, changes, ++reads_, std::move(root)});
    }
    return *loaded_;
}

Orvel::TRep SettingsStore::rep(const std::vector<std::string>& path) {
    return {path.empty() ? std::string() : path.back(), Orvel::pathText(path),
            nodeValue(findNode(current().root, path))};
}

const Orvel::TValue& SettingsStore::value(const std::vector<std::string>& path, Orvel::TKey::Cache& cache) {
    const Loaded& loaded = current();
    if (cache.version != loaded.version) {
        cache.value = nodeValue(findNode(loaded.root, path));
        cache.version = loaded.version;
    }
    return cache.value;
}

std::vector<std::string> SettingsStore::childNames(const std::vector<std::string>& path) {
    return Setup::childNames(findNode(current().root, path));
}

}  // namespace Core::Setup
