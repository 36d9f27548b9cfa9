#pragma once
// The setup-key store behind Orvel::TKey: the tree of a store's settings file.
// The file is read again when it has changed since the last lookup (its
// modification time, size or identity differ), so edits are seen without a
// restart; an unchanged file is not parsed again. A missing or malformed
// file fails the lookup with a message naming the file (and the line).

#include "Core/Setup/Key.h"

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
    std::vector<std::string> childNames(const std::vector<std::string>& path);

private:
    struct Loaded;
    const Loaded& current();

    std::filesystem::path file_;
    std::mutex mutex_;
    std::unique_ptr<Loaded> loaded_;
};

}  // namespace Core::Setup
