#pragma once
// ReturnReasons::ReturnReason: a reason a customer may give for a return, as
// the tills offer it: its text, an optional shortcut of up to three capital
// letters, and the deleted mark (a reason is never removed from the store,
// only marked deleted).

#include <string>

namespace ReturnReasons {

struct ReturnReason {
    int id = 0;  // 0 until the reason is stored
    std::string text;
    std::string shortcut;  // empty: none
    bool deleted = false;

    bool operator==(const ReturnReason&) const = default;
};

}  // namespace ReturnReasons
