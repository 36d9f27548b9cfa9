#pragma once
// A fresh store directory under the system's temporary directory, with a new
// store database, removed with its contents when the object goes out of scope.

#include <filesystem>

namespace TestSupport {

class TempStore {
public:
    // Makes the directory and its database and sets it as the process's current store.
    TempStore();
    ~TempStore();
    TempStore(const TempStore&) = delete;
    TempStore& operator=(const TempStore&) = delete;

    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

}  // namespace TestSupport
