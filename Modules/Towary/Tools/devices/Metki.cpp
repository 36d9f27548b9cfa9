#include "Modules/Towary/Tools/devices/Metki.h"

#include "Core/Setup/Setup.h"
#include "Core/Singleton/SingletonImplHolder.h"
#include "Core/System/MachineRegistry.h"
#include "Core/System/Sysutils.h"
#include "Core/tools/Beside.h"
#include "Core/tools/Charset.h"
#include "Core/tools/Filesystem.h"
#include "Core/tools/SystemError.h"
#include "Core/tools/Utf8.h"
#include "Modules/Towary/Tools/index/HierarchyLevels.h"

#include <boost/format.hpp>

#include <unistd.h>

#include <cerrno>
#include <ctime>
#include <string_view>

namespace {

constexpr const char* kNotClosed = "Plik dla metkownicy nie został zamknięty.";
constexpr const char* kNotOpen = "Plik dla metkownicy nie został otwarty.";
constexpr const char* kRecordFormat = "%d\t%d\t%s\t%s\t%.2lf\n";
constexpr std::size_t kNameLength = 30;

Orvel::TKey labelKey(const char* name) {
    return Core::SingletonImplHolder::get<Core::CSetup>().GetRootKey().GetSubKey(
        {"Parametry sklepu", "Metkowanie", name});
}

// The label printer's software was written for the Windows runtime, whose
// text mode writes each line feed as carriage return and line feed.
std::string textMode(std::string_view text) {
    std::string out;
    out.reserve(text.size() + 2);
    for (const char c : text) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

[[noreturn]] void writeFailed(const std::string& path, int error) {
    throw Sysutils::Exception("Błąd podczas zapisu pliku dla metkownicy: " + path + " (" +
                              Core::systemErrorText(error) + ").");
}

}  // namespace

TMetki::~TMetki() {
    if (file_ != nullptr) std::fclose(file_);
}

void TMetki::otworzPlik() {
    if (file_ != nullptr) throw Sysutils::Exception(kNotClosed);
    std::string directory = getRegistryValue("Software\\Teskal\\Zurovoveru", "Katalog plików metkownicy");
    if (directory.empty()) directory = labelKey("Katalog plików metkownicy").GetVal<System::AnsiString>();
    directory = Core::Filesystem::getNormalizedTrimmedDir(directory);
    const std::string extension = labelKey("Rozszerzenie").GetVal<System::AnsiString>();
    char name[32];
    std::snprintf(name, sizeof name, "%08lx", static_cast<long>(std::time(nullptr)));
    const std::string path = directory + name + "." + extension;
    file_ = std::fopen(path.c_str(), "a");
    if (file_ == nullptr)
        throw Sysutils::Exception("Błąd podczas tworzenia pliku dla metkownicy: " + path + " (" +
                                  Core::systemErrorText(errno) + ") ");
    path_ = path;
}

void TMetki::dodajDoPliku(int first, int second, System::AnsiString name, System::AnsiString text, double price,
                          System::AnsiString, System::AnsiString) {
    if (file_ == nullptr) throw Sysutils::Exception(kNotOpen);
    const std::string shown = Core::convertWinToLatin(Core::Utf8::substr(name.str(), 0, kNameLength));
    const std::string line = textMode((boost::format(kRecordFormat) % first % second % shown % text.str() % price).str());
    if (std::fwrite(line.data(), 1, line.size(), file_) != line.size()) writeFailed(path_, errno);
}

void TMetki::zamknijPlik() {
    if (file_ == nullptr) throw Sysutils::Exception(kNotOpen);
    std::FILE* file = file_;
    const std::string path = path_;
    file_ = nullptr;
    path_.clear();
    const bool flushed = std::fflush(file) == 0 && ::fsync(fileno(file)) == 0;
    const int error = errno;
    if (std::fclose(file) != 0 || !flushed) writeFailed(path, flushed ? errno : error);
    // A file this open made is on disk only once its name is.
    if (!Core::syncDirectoryOf(path)) writeFailed(path, errno);
}

System::AnsiString formatGrIndex(System::AnsiString index) {
    static constexpr Towar::TowarCode kLevels[] = {Towar::tcDepartament, Towar::tcSektor, Towar::tcSekcja,
                                                   Towar::tcRodzina, Towar::tcPodrodzina};
    std::string result;
    std::string_view rest = index.str();
    for (const auto level : kLevels) {
        if (rest.empty()) break;
        const auto length = static_cast<std::size_t>(Towar::getIndexLength(level));
        if (!result.empty()) result += "-";
        const std::string_view segment = Core::Utf8::substr(rest, 0, length);
        result += segment;
        rest.remove_prefix(segment.size());
    }
    return result;
}

System::AnsiString getRegistryValue(System::AnsiString key, System::AnsiString valueName) {
    return Core::MachineRegistry::readText(key, valueName).value_or("");
}
