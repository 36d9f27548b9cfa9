#pragma once
// The rules of the return-reason list: what the text and shortcut editors
// take, and the check of the whole list before it is saved. Each refusal is
// a Sysutils::Exception with the message the window shows.

#include "Core/Export.h"
#include "Core/ReturnReasons/ReturnReason.h"

#include <string>
#include <vector>

namespace Towary::ProductTools {

// The text editor: at most 64 characters (a Polish letter is one), UTF-8
// without control characters, and only characters the tills' XML file holds.
TOWARY_EXPORT void checkReturnReasonText(const std::string& text);
// The shortcut editor: "[A-Z]{0,3}", the empty shortcut included.
TOWARY_EXPORT void checkReturnReasonShortcut(const std::string& shortcut);
// Each reason against every other of the list, deleted ones included: a text
// is not empty nor equal to another's without regard to case (Polish letters
// too), a shortcut that is not empty is not another's.
TOWARY_EXPORT void validateReturnReasons(const std::vector<ReturnReasons::ReturnReason>& reasons);

}  // namespace Towary::ProductTools
