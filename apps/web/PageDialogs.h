#pragma once
// The module's dialogs during one request of a page. A page answers a
// question by sending its request again with the answer: the module's code
// runs anew and reads the page's answers in order, as `towary --dialogs json`
// reads its input (apps/towary/JsonDialogs.h). A question past them gets the
// module's "no" and is kept for the page to draw, with the module's text and
// buttons; the messages the module shows are kept too. The dialogs are the
// process's: they are installed for the object's life, which must lie within
// the module's turn.

#include "Core/Dialogs/Dialogs.h"

#include <nlohmann/json.hpp>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace Towary::Web {

class PageDialogs {
public:
    // `body["answers"]`: the page's answers so far, each an object as the
    // JSON dialogs read it ({"answer": true}); none when absent.
    explicit PageDialogs(const nlohmann::json& body);
    ~PageDialogs();
    PageDialogs(const PageDialogs&) = delete;
    PageDialogs& operator=(const PageDialogs&) = delete;

    // The first question the page has not answered, as the JSON dialogs
    // write it ({"dialog": "ask", "text", "buttons"}); null when none.
    nlohmann::json unanswered() const;
    // The texts of the messages the module showed.
    std::vector<std::string> messages() const;

private:
    std::vector<nlohmann::json> shown() const;

    std::size_t answered_ = 0;
    std::istringstream answers_;
    std::ostringstream shown_;
    std::shared_ptr<Core::IDialogs> previous_;
};

}  // namespace Towary::Web
