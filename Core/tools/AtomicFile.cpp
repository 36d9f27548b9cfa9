#include "Core/tools/AtomicFile.h"

#include "Core/tools/Beside.h"
#include "Core/tools/SystemError.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <stdexcept>

namespace Core {

AtomicFile::AtomicFile(std::filesystem::path target) : target_(std::move(target)) {
    struct stat info {};
    if (::stat(target_.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) {
        out_.open(target_, std::ios::binary);
        if (!out_) fail(errno);
        return;
    }
    std::error_code error;
    if (const auto resolved = std::filesystem::canonical(target_, error); !error) target_ = resolved;
    const auto cannotCreate = [this](int reason) {
        return std::runtime_error("Nie można utworzyć pliku " + target_.string() + ": " + systemErrorText(reason) + ".");
    };
    // Made as any new file is, under the umask; a target's own permissions replace those.
    const auto made = makeBeside(target_, "tmp", [](const std::filesystem::path& name) {
        return ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    });
    if (made.result < 0) throw cannotCreate(errno);
    temporary_ = made.name;
    const bool kept = ::stat(target_.c_str(), &info) != 0 || ::fchmod(made.result, info.st_mode & 07777) == 0;
    const int reason = errno;
    ::close(made.result);
    if (!kept) {
        ::unlink(temporary_.c_str());
        temporary_.clear();
        throw cannotCreate(reason);
    }
    out_.open(temporary_, std::ios::binary | std::ios::trunc);
    if (!out_) fail(errno);
}

AtomicFile::~AtomicFile() {
    if (!temporary_.empty()) ::unlink(temporary_.c_str());
}

void AtomicFile::commit() {
    errno = 0;
    out_.close();
    if (!out_) fail(errno);
    if (!temporary_.empty()) {
        // The text must be on disk before the name points at it, or a crash could leave an empty file.
        if (!syncFile(temporary_)) fail(errno);
        if (std::rename(temporary_.c_str(), target_.c_str()) != 0) fail(errno);
        // The file is in place: from here on only its new name could be lost.
        temporary_.clear();
        if (!syncDirectoryOf(target_)) fail(errno);
    }
}

void AtomicFile::fail(int error) const {
    throw std::runtime_error("Nie można zapisać pliku " + target_.string() + ": " +
                             (error != 0 ? systemErrorText(error) : std::string("błąd zapisu")) +
                             (temporary_.empty() ? "." : "; plik pozostał bez zmian."));
}

}  // namespace Core
