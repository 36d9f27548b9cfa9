#pragma once
// The files clerks send from their browsers: a product file to import, a
// file a module's dialog asks for. Each is kept in a folder of the server's
// own (made private at start, removed with what it holds at the end), in a
// folder of a random name, for the clerk who sent it alone, for an hour. A page names
// a file by the id it was given; a path never comes from a request. Safe to
// use from several threads.

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <map>
#include <mutex>
#include <string>
#include <string_view>

namespace Towary::Web {

class Uploads {
public:
    // The largest file a clerk may send, and how many he has kept at once:
    // a further one takes the place of his oldest.
    static constexpr std::size_t kLargestFile = 64 * 1024 * 1024;
    static constexpr std::size_t kKeptPerClerk = 4;

    // Makes the folder; throws std::runtime_error, in Polish, when it cannot.
    Uploads();
    ~Uploads();
    Uploads(const Uploads&) = delete;
    Uploads& operator=(const Uploads&) = delete;

    // Keeps the bytes for the clerk under the file's name as his browser gave
    // it (its last part; "plik" for a name no message should show or no file
    // may have); the id
    // the page names them by. Throws Refused (400) for an empty file.
    std::string keep(int userRef, std::string_view name, std::string_view bytes);
    // The file of the id, if the clerk sent it within the hour, in a folder
    // of its own: a command run there names it by its name alone. Throws
    // Refused (404) otherwise.
    std::filesystem::path path(int userRef, const std::string& id);
    // A new file's path in the folder, for a file the server makes (an export).
    std::filesystem::path scratchPath(std::string_view extension) const;

private:
    using Clock = std::chrono::steady_clock;
    struct File {
        int userRef = 0;
        std::string name;
        Clock::time_point kept;
    };

    void forgetExpired(Clock::time_point now);
    void forgetOldest(int userRef);

    std::filesystem::path folder_;
    std::mutex mutex_;
    std::map<std::string, File> files_;
};

}  // namespace Towary::Web
