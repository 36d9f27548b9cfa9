#pragma once
// The return-reason window a page holds open on the server between its
// requests. The window holds the store's lock of the list while it lives, so
// that two clerks never edit the reasons at once; it is therefore opened on a
// database session of its own, not the turn's, whose lock would be every
// clerk's. One page holds it at a time (a second is refused by the module, as
// the lock allows one window in the store), and only the signed-in session
// that opened it uses it: another session, the same clerk's in another
// browser included, is answered as if it had gone. The page's signs of life keep it:
// a page silent longer than the limit (closed without a word, its browser
// gone) loses it, and the window is closed in the module's turn, which frees
// the lock for the next clerk and for the store's other programs. Every call
// into the window runs in the turn. Safe to use from several threads.

#include "Modules/Towary/Tools/ui/ReturnReasonBrowser.h"
#include "apps/web/Replies.h"
#include "apps/web/SessionStore.h"
#include "apps/web/StoreTurn.h"

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

namespace Towary::Web {

class ReasonWindowLease {
public:
    using Clock = std::chrono::steady_clock;
    using Window = ProductTools::ReturnReasonBrowser;

    ReasonWindowLease(StoreTurn& turn, Clock::duration silence);
    // Closes the window still held; the server has stopped answering by then.
    ~ReasonWindowLease();
    ReasonWindowLease(const ReasonWindowLease&) = delete;
    ReasonWindowLease& operator=(const ReasonWindowLease&) = delete;

    Clock::duration silence() const { return silence_; }

    // Opens the window for the clerk's page and returns work(id, window), in
    // the turn. A page reloaded names the window it held (`previous`), which
    // is closed first, its edits dropped. The module's refusal, when another
    // page or program holds the list, passes as thrown.
    template <class Work>
    auto open(const ClerkSession& clerk, const std::string& previous, Work&& work) {
        return turn_.run(clerk.userRef, [&](const TSessionHolder&) {
            dropSilent();
            if (!previous.empty()) release(clerk, previous, Turn{});
            auto window = openWindow();
            const auto id = hold(clerk, window);
            return work(id, *window);
        });
    }

    // Runs work(window) on the clerk's window of that id, in the turn; counts
    // as a sign of life. Throws Refused (410) when the window is no longer held.
    template <class Work>
    auto use(const ClerkSession& clerk, const std::string& id, Work&& work) {
        return turn_.run(clerk.userRef, [&](const TSessionHolder&) {
            const auto window = held(clerk, id);
            return work(*window);
        });
    }

    // A sign of life of the page; Refused (410) as use() when the window is gone.
    void signOfLife(const ClerkSession& clerk, const std::string& id);
    // Closes the window without a question (the page has gone), in the turn;
    // nothing when it is no longer held.
    void release(const ClerkSession& clerk, const std::string& id);

private:
    struct Held {
        std::string id;
        int userRef;
        std::string session;  // the session's CSRF token, which no other session has
        Clock::time_point lastSign;
        std::shared_ptr<Window> window;
    };
    // Marks a call made in the turn.
    struct Turn {};

    static std::shared_ptr<Window> openWindow();
    std::string hold(const ClerkSession& clerk, std::shared_ptr<Window> window);
    std::shared_ptr<Window> held(const ClerkSession& clerk, const std::string& id);
    void release(const ClerkSession& clerk, const std::string& id, Turn);
    bool holds(const ClerkSession& clerk, const std::string& id) const;
    void dropSilent();
    void watch();

    StoreTurn& turn_;
    const Clock::duration silence_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::optional<Held> held_;
    bool ending_ = false;
    std::thread watcher_;
};

}  // namespace Towary::Web
