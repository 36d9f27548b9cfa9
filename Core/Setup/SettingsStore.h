#pragma once
// The setup-key store behind Orvel::TKey: the tree of a store's settings file.
// The file is read again when it has changed since the last lookup, so edits
// are seen without a restart; an unchanged file is not parsed again. A watch
// on the file tells of a change (see FileWatch), so a lookup in an unchanged
// file touches no system call; without a watch, the file's modification time,
// size and identity are compared at each lookup. A missing or malformed file
// fails the lookup with a message naming the file (and the line).

#include "Core/Setup/FileWatch.h"
#include "Core/Setup/Key.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace Core::Setup {

class SettingsStore {
public:
    explicit SettingsStore(std::filesystem::path file);
    ~SettingsStore();
    SettingsStore(const SettingsStore&) = delete;
    SettingsStore& operator=(const SettingsStore&) = delete;

    const std::filesystem::path& file() const { return file_; }

    // Guards the lookups below; held by every typed setting lookup.
    std::mutex& mutex() { return mutex_; }

    // With mutex() held: the node at the path, and the names of its children
    // in the order of the file. Throws std::runtime_error when the file
    // cannot be read.
    Orvel::TRep rep(const std::vector<std::string>& path);
    // rep(path).Value, without composing the node's name and path text; the
    // value kept in `cache` while the file has not been read again since.
    const Orvel::TValue& value(const std::vector<std::string>& path, Orvel::TKey::Cache& cache);
    std::vector<std::string> childNames(const std::vector<std::string>& path);

private:
    struct Loaded;
    const Loaded& current();

    std::filesystem::path file_;
    FileWatch watch_;
    std::mutex mutex_;
    std::unique_ptr<Loaded> loaded_;
    std::uint64_t reads_ = 0;  // how many times the file was read, the version of loaded_
};

}  // namespace Core::Setup
