#include "Core/Debug/Debug.h"

#include <ctime>
#include <fstream>
#include <iomanip>
#include <iterator>
#include <mutex>
#include <sstream>
#include <stdexcept>

namespace Core::Debug {
namespace {

class Log {
public:
    void open(const std::filesystem::path& file) {
        std::lock_guard lock(mutex_);
        if (file.has_parent_path()) std::filesystem::create_directories(file.parent_path());
        std::ofstream out(file, std::ios::app);
        if (!out) throw std::runtime_error("Nie można otworzyć pliku logu " + file.string());
        out_ = std::move(out);
    }
    void close() {
        std::lock_guard lock(mutex_);
        out_ = std::ofstream();
    }
    bool enabled() {
        std::lock_guard lock(mutex_);
        return out_.is_open();
    }
    void write(const std::string& text, const SrcInfo& where) {
        std::lock_guard lock(mutex_);
        if (!out_.is_open()) return;
        const std::time_t now = std::time(nullptr);
        std::tm local{};
        localtime_r(&now, &local);
        out_ << std::put_time(&local, "%F %T") << ' ' << where.file << ':' << where.line << ' '
             << where.function << ": " << text << '\n';
        out_.flush();
    }

private:
    std::mutex mutex_;
    std::ofstream out_;
};

Log& log() {
    static Log instance;
    return instance;
}

}  // namespace

void enableLogging(const std::filesystem::path& file) { log().open(file); }
void disableLogging() { log().close(); }
bool loggingEnabled() { return log().enabled(); }
void logLine(const std::string& text, const SrcInfo& where) { log().write(text, where); }

void logDllEntryPoint(const void* instance, unsigned long reason, const SrcInfo& where) {
    static constexpr const char* names[] = {"process detach", "process attach", "thread attach",
                                            "thread detach"};
    std::ostringstream text;
    text << "DllEntryPoint instance " << instance << " reason " << reason;
    if (reason < std::size(names)) text << " (" << names[reason] << ')';
    logLine(text.str(), where);
}

}  // namespace Core::Debug
