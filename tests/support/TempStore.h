#pragma once
// A fresh store directory under the system's temporary directory, removed
// with its contents when the object goes out of scope; with a new store
// database in it when asked for.

#include <filesystem>

namespace TestSupport {

class TempStore {
public:
    enum Contents { directoryOnly, withDatabase };

    // Makes the directory (and the database) and sets it as the process's current store.
    explicit TempStore(Contents contents = directoryOnly);
    ~TempStore();
    TempStore(const TempStore&) = delete;
    TempStore& operator=(const TempStore&) = delete;

    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

}  // namespace TestSupport
