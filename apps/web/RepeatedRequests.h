#pragma once
// The saves already carried out, by the id the page gives each one, so that
// a request sent twice (a double click, a retry of a request that did
// arrive) writes once: the repeat is refused (409). The check and the record
// are made in the module's turn, around the save, so that a repeat waiting
// for the turn sees the first one done. Keeps the last kKept ids. Safe to use
// from several threads.

#include <deque>
#include <mutex>
#include <string>

namespace Towary::Web {

class RepeatedRequests {
public:
    static constexpr std::size_t kKept = 1024;

    // The id a save request carries ("request"): 8 to 64 letters, digits and
    // hyphens. Throws Refused (400) for a request without a fitting one.
    static std::string idOf(const std::string& given);

    // Throws Refused (409) when the id was carried out already.
    void refuseRepeated(const std::string& id);
    void carriedOut(const std::string& id);

private:
    std::mutex mutex_;
    std::deque<std::string> ids_;
};

}  // namespace Towary::Web
