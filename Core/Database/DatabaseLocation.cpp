#include "Core/Database/DatabaseLocation.h"

#include "Core/Database/Backend/ServerEngine.h"
#include "Core/Store/StoreLocation.h"
#include "Core/tools/AtomicFile.h"
#include "Core/tools/SystemError.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <stdexcept>
#include <string_view>
#include <toml++/toml.h>

namespace DBKernel {
namespace {

constexpr const char* kServerKey = "polaczenie";

using Keywords = std::vector<std::pair<std::string, std::string>>;

// libpq's reading of the connection text; throws, in Polish, when it is no connection text.
Keywords parse(const std::string& connection) {
    auto keywords = Backend::serverEngine().parse(connection);
    if (!keywords)
        throw std::runtime_error(
            "Niepoprawny opis połączenia z serwerem bazy danych (baza.toml albo --database): sprawdź jego zapis "
            "(postgresql://użytkownik@serwer:port/baza albo host=... dbname=...). Znak % w haśle zapisuje się jako "
            "%25; hasło najlepiej trzymać w pliku ~/.pgpass.");
    return std::move(*keywords);
}

}  // namespace

DatabaseLocation::DatabaseLocation(std::filesystem::path file) : file_(std::move(file)) {}

DatabaseLocation DatabaseLocation::server(std::string connection) {
    parse(connection);
    DatabaseLocation location;
    location.onServer_ = true;
    location.connection_ = std::move(connection);
    return location;
}

std::filesystem::path serverFileOf(const std::filesystem::path& directory) { return directory / "baza.toml"; }

DatabaseLocation DatabaseLocation::ofStore(const std::filesystem::path& directory) {
    const auto file = serverFileOf(directory);
    std::error_code error;
    if (!std::filesystem::exists(file, error)) return DatabaseLocation(directory / "towary.db");
    toml::table root;
    try {
        root = toml::parse_file(file.string());
    } catch (const toml::parse_error& e) {
        throw std::runtime_error("Plik serwera bazy danych " + file.string() + " jest błędny (wiersz " +
                                 std::to_string(e.source().begin.line) + "): " + std::string(e.description()) +
                                 ".");
    }
    const auto* connection = root[kServerKey].as_string();
    if (connection == nullptr || connection->get().empty())
        throw std::runtime_error("Plik serwera bazy danych " + file.string() + " nie podaje połączenia (" +
                                 kServerKey + " = \"postgresql://...\").");
    return server(connection->get());
}

const DatabaseLocation& DatabaseLocation::current() {
    // Read once per store directory: a store moves to a server only by
    // `towary migrate`, which no running process of the store outlives.
    static std::filesystem::path directory;
    static DatabaseLocation location{std::filesystem::path()};
    if (directory != Core::Store::directory()) {
        location = ofStore(Core::Store::directory());
        directory = Core::Store::directory();
    }
    return location;
}

std::string DatabaseLocation::text() const {
    if (!onServer_) return file_.string();
    std::string user, host, port, database;
    for (const auto& [keyword, value] : parse(connection_)) {
        if (keyword == "user") user = value;
        if (keyword == "host") host = value;
        if (keyword == "port") port = value;
        if (keyword == "dbname") database = value;
    }
    return "postgresql://" + (user.empty() ? "" : user + "@") + host + (port.empty() ? "" : ":" + port) + "/" +
           database;
}

void writeServerFile(const std::filesystem::path& directory, const std::string& connection) {
    const auto location = DatabaseLocation::server(connection);
    const auto file = serverFileOf(directory);
    // Made empty and private first: the atomic write keeps the target's permissions.
    const int descriptor = ::open(file.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
    if (descriptor >= 0 && ::fchmod(descriptor, 0600) != 0) {
        const int reason = errno;
        ::close(descriptor);
        throw std::runtime_error("Nie można zapisać pliku " + file.string() + ": " + Core::systemErrorText(reason) + ".");
    }
    if (descriptor < 0)
        throw std::runtime_error("Nie można zapisać pliku " + file.string() + ": " + Core::systemErrorText(errno) + ".");
    ::close(descriptor);
    Core::AtomicFile out(file);
    toml::table root{{kServerKey, location.connection()}};
    out.stream() << "# Serwer bazy danych sklepu (PostgreSQL). Hasło najlepiej trzymać w ~/.pgpass.\n" << root << "\n";
    out.commit();
}

}  // namespace DBKernel
