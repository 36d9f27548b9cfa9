#include "apps/web/RepeatedRequests.h"

#include "apps/web/Replies.h"

#include <algorithm>
#include <cctype>

namespace Towary::Web {

std::string RepeatedRequests::idOf(const std::string& given) {
    const bool fits = given.size() >= 8 && given.size() <= 64 && std::all_of(given.begin(), given.end(), [](char c) {
                          return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '-';
                      });
    if (!fits)
        throw Refused(http::status::bad_request,
                      "Zapis wymaga identyfikatora żądania (pole \"request\": od 8 do 64 liter, cyfr i łączników).");
    return given;
}

void RepeatedRequests::refuseRepeated(const std::string& id) {
    std::lock_guard lock(mutex_);
    if (std::find(ids_.begin(), ids_.end(), id) != ids_.end())
        throw Refused(http::status::conflict, "Ten zapis już wykonano; powtórzonego żądania nie zapisano drugi raz.");
}

void RepeatedRequests::carriedOut(const std::string& id) {
    std::lock_guard lock(mutex_);
    ids_.push_back(id);
    if (ids_.size() > kKept) ids_.pop_front();
}

}  // namespace Towary::Web
