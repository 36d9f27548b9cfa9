#include "apps/towary/register/PipeRemovalOnSignal.h"

#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <climits>
#include <cstring>
#include <stdexcept>

namespace Towary::Host {
namespace {

constexpr std::array<int, 2> kPipeRemovalSignals{SIGINT, SIGTERM};

// What the handler reads: written before it is installed, left alone while it is.
char gRemovedPipe[PATH_MAX];
std::array<struct sigaction, 2> gPipeRemovalPrevious{};
std::array<bool, 2> gPipeRemovalInstalled{};
std::atomic<bool> gPipeRemovalLives{false};

extern "C" void removePipeOnSignal(int signal) {
    struct stat status {};
    if (::lstat(gRemovedPipe, &status) == 0 && S_ISFIFO(status.st_mode)) ::unlink(gRemovedPipe);
    for (std::size_t i = 0; i < kPipeRemovalSignals.size(); ++i)
        if (kPipeRemovalSignals[i] == signal) ::sigaction(signal, &gPipeRemovalPrevious[i], nullptr);
    // Blocked while this handler runs, the signal comes again on return, handled as before.
    ::raise(signal);
}

}  // namespace

PipeRemovalOnSignal::PipeRemovalOnSignal(const std::filesystem::path& pipe) {
    if (gPipeRemovalLives.exchange(true)) throw std::logic_error("Usuwanie potoku po sygnale jest już włączone.");
    std::strncpy(gRemovedPipe, pipe.c_str(), sizeof gRemovedPipe - 1);
    struct sigaction removal {};
    removal.sa_handler = removePipeOnSignal;
    sigemptyset(&removal.sa_mask);
    for (std::size_t i = 0; i < kPipeRemovalSignals.size(); ++i) {
        ::sigaction(kPipeRemovalSignals[i], nullptr, &gPipeRemovalPrevious[i]);
        gPipeRemovalInstalled[i] = gPipeRemovalPrevious[i].sa_handler != SIG_IGN;
        if (gPipeRemovalInstalled[i]) ::sigaction(kPipeRemovalSignals[i], &removal, nullptr);
    }
}

PipeRemovalOnSignal::~PipeRemovalOnSignal() {
    for (std::size_t i = 0; i < kPipeRemovalSignals.size(); ++i)
        if (gPipeRemovalInstalled[i]) ::sigaction(kPipeRemovalSignals[i], &gPipeRemovalPrevious[i], nullptr);
    gPipeRemovalLives = false;
}

}  // namespace Towary::Host
