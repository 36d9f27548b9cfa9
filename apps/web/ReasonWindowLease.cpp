#include "apps/web/ReasonWindowLease.h"

#include "apps/web/SessionStore.h"

namespace Towary::Web {
namespace {

// How long opening waits for the list's lock. The module's own wait is its
// session's busy timeout (5 s), which here would hold every clerk's turn; a
// window held in this server or by another program does not let go sooner.
constexpr std::chrono::seconds kLockWait{1};

[[noreturn]] void refuseGone() {
    throw Refused(http::status::gone,
                  "Okno powodów zwrotów zostało zamknięte (otwarto je ponownie albo strona długo się nie odzywała), "
                  "a niezapisane zmiany przepadły. Otwórz okno ponownie.");
}

}  // namespace

ReasonWindowLease::ReasonWindowLease(StoreTurn& turn, Clock::duration silence)
    : turn_(turn), silence_(silence), watcher_([this] { watch(); }) {}

ReasonWindowLease::~ReasonWindowLease() {
    {
        std::lock_guard lock(mutex_);
        ending_ = true;
    }
    changed_.notify_all();
    watcher_.join();
    // No request runs any more, so the window closes outside a turn.
    held_.reset();
}

std::shared_ptr<ReasonWindowLease::Window> ReasonWindowLease::openWindow() {
    DBKernel::SessionOptions options;
    options.busyTimeout = kLockWait;
    return std::make_shared<Window>(TSessionHolder::open(options));
}

std::string ReasonWindowLease::hold(const ClerkSession& clerk, std::shared_ptr<Window> window) {
    auto id = SessionStore::randomToken();
    {
        std::lock_guard lock(mutex_);
        held_ = Held{id, clerk.userRef, clerk.csrfToken, Clock::now(), std::move(window)};
    }
    changed_.notify_all();
    return id;
}

bool ReasonWindowLease::holds(const ClerkSession& clerk, const std::string& id) const {
    return held_ && held_->id == id && held_->session == clerk.csrfToken;
}

std::shared_ptr<ReasonWindowLease::Window> ReasonWindowLease::held(const ClerkSession& clerk, const std::string& id) {
    std::lock_guard lock(mutex_);
    if (!holds(clerk, id)) refuseGone();
    held_->lastSign = Clock::now();
    return held_->window;
}

void ReasonWindowLease::signOfLife(const ClerkSession& clerk, const std::string& id) { held(clerk, id); }

void ReasonWindowLease::release(const ClerkSession& clerk, const std::string& id) {
    turn_.run(clerk.userRef, [&](const TSessionHolder&) { release(clerk, id, Turn{}); });
}

void ReasonWindowLease::release(const ClerkSession& clerk, const std::string& id, Turn) {
    std::shared_ptr<Window> closing;
    {
        std::lock_guard lock(mutex_);
        if (!holds(clerk, id)) return;
        closing = std::move(held_->window);
        held_.reset();
    }
    changed_.notify_all();
}

void ReasonWindowLease::dropSilent() {
    std::shared_ptr<Window> closing;
    std::lock_guard lock(mutex_);
    if (!held_ || Clock::now() - held_->lastSign < silence_) return;
    closing = std::move(held_->window);
    held_.reset();
}

void ReasonWindowLease::watch() {
    std::unique_lock lock(mutex_);
    while (!ending_) {
        if (!held_) {
            changed_.wait(lock);
            continue;
        }
        const auto due = held_->lastSign + silence_;
        if (Clock::now() < due) {
            changed_.wait_until(lock, due);
            continue;
        }
        const int userRef = held_->userRef;
        lock.unlock();
        bool turnTaken = true;
        try {
            turn_.run(userRef, [this](const TSessionHolder&) { dropSilent(); });
        } catch (const std::exception&) {
            turnTaken = false;  // the store busy: the window closes at the next try
        }
        lock.lock();
        if (!turnTaken) changed_.wait_for(lock, std::chrono::seconds(1), [this] { return ending_; });
    }
}

}  // namespace Towary::Web
