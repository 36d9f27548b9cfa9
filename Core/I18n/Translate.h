#pragma once
// Core::I18n::translate: the host's translation service. A module passes its
// user-visible texts through it; until the host installs a translation, every
// text comes back unchanged (the module's own texts are Polish).

#include "Core/Export.h"
#include "Core/Token.h"

#include <functional>
#include <string>

namespace Core::I18n {

using Translation = std::function<std::string(const std::string&)>;

// The text in the installed translation, or the text itself when none is installed.
TOWARY_EXPORT std::string translate(const std::string& text);

// Installs a process-wide translation while the token lives; the one
// installed before comes back when the token is destroyed.
TOWARY_EXPORT Token installTranslation(Translation translation);

}  // namespace Core::I18n
