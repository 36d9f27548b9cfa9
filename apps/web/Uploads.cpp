#include "apps/web/Uploads.h"

#include "Core/tools/SystemError.h"
#include "apps/web/Replies.h"
#include "apps/web/SessionStore.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <stdexcept>

namespace Towary::Web {
namespace {

constexpr auto kKeptFor = std::chrono::hours(1);

// The name's last part, when a message may show it and it names a file of
// its own in a folder: no control character, not "." or "..".
std::string fileName(std::string_view name) {
    const auto slash = name.find_last_of("/\\");
    const auto last = slash == std::string_view::npos ? name : name.substr(slash + 1);
    const bool fit = !last.empty() && last != "." && last != ".." && last.size() <= 255 &&
                     std::none_of(last.begin(), last.end(), [](unsigned char c) { return c < 0x20 || c == 0x7F; });
    return fit ? std::string(last) : std::string("plik");
}

}  // namespace

Uploads::Uploads() {
    std::string pattern = (std::filesystem::temp_directory_path() / "towary-web-XXXXXX").string();
    // mkdtemp makes the folder readable by this user alone.
    if (::mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("Nie można utworzyć katalogu na pliki przesyłane z przeglądarek (" +
                                 Core::systemErrorText(errno) + ").");
    folder_ = pattern;
}

Uploads::~Uploads() {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
}

std::string Uploads::keep(int userRef, std::string_view name, std::string_view bytes) {
    if (bytes.empty()) throw Refused(http::status::bad_request, "Przesłany plik jest pusty.");
    const auto id = SessionStore::randomToken();
    const auto file = File{userRef, fileName(name), Clock::now()};
    std::error_code error;
    std::filesystem::create_directory(folder_ / id, error);
    std::ofstream out(folder_ / id / file.name, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (error || !out) {
        std::filesystem::remove_all(folder_ / id, error);
        throw std::runtime_error("Nie można zapisać przesłanego pliku na dysku serwera.");
    }
    const std::lock_guard lock(mutex_);
    forgetExpired(file.kept);
    forgetOldest(userRef);
    files_[id] = file;
    return id;
}

std::filesystem::path Uploads::path(int userRef, const std::string& id) {
    const std::lock_guard lock(mutex_);
    forgetExpired(Clock::now());
    const auto found = files_.find(id);
    if (found == files_.end() || found->second.userRef != userRef)
        throw Refused(http::status::not_found, "Nie ma takiego przesłanego pliku; prześlij go ponownie.");
    return folder_ / id / found->second.name;
}

std::filesystem::path Uploads::scratchPath(std::string_view extension) const {
    return folder_ / (SessionStore::randomToken() + std::string(extension));
}

void Uploads::forgetExpired(Clock::time_point now) {
    std::erase_if(files_, [&](const auto& file) {
        const bool expired = now - file.second.kept >= kKeptFor;
        std::error_code ignored;
        if (expired) std::filesystem::remove_all(folder_ / file.first, ignored);
        return expired;
    });
}

// Makes room for one more of the clerk's files.
void Uploads::forgetOldest(int userRef) {
    std::size_t his = 0;
    auto oldest = files_.end();
    for (auto file = files_.begin(); file != files_.end(); ++file) {
        if (file->second.userRef != userRef) continue;
        ++his;
        if (oldest == files_.end() || file->second.kept < oldest->second.kept) oldest = file;
    }
    if (his < kKeptPerClerk) return;
    std::error_code ignored;
    std::filesystem::remove_all(folder_ / oldest->first, ignored);
    files_.erase(oldest);
}

}  // namespace Towary::Web
