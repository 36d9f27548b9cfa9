#pragma once
// Core::AtomicFile: a file written whole or not at all. The text goes to a
// temporary file beside the target, which takes the target's place by a
// rename only once every byte is written and on disk; the rename is on disk
// too (the directory synced) before commit() returns. A reader sees the old
// file or the new one, never half of one. Dropped without commit(), the
// temporary file is removed and the target left as it was. A target that
// is a link is written through it; one that is not a regular file (a pipe, a
// terminal, /dev/stdout) is written in place, as nothing else can replace it.

#include <filesystem>
#include <fstream>
#include <ostream>
#include <string>

namespace Core {

class AtomicFile {
public:
    // Throws std::runtime_error (in Polish, naming the file) when the temporary file cannot be made.
    explicit AtomicFile(std::filesystem::path target);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    std::ostream& stream() { return out_; }

    // Puts the written file in the target's place, with the target's
    // permissions (a new file gets the usual ones). Throws std::runtime_error
    // when a write, the close or the rename failed; the target is then unchanged.
    void commit();

private:
    [[noreturn]] void fail(int error) const;

    std::filesystem::path target_;
    std::string temporary_;  // "" when the target is written in place, and once it is committed
    std::ofstream out_;
};

}  // namespace Core
