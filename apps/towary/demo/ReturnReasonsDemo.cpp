// Return reasons edited in their window (opened by its GUID, the list locked
// while it is open): two reasons added, a third refused as the save checks
// the whole list, and the reasons sent to the tills, the outbox file shown.

#include "Core/Action/ActionContainer.h"
#include "Core/ReturnReasons/ReturnReasonsToTills.h"
#include "Modules/Towary/Tools/ui/ReturnReasonBrowser.h"
#include "apps/towary/demo/Demo.h"

#include <fstream>
#include <initializer_list>
#include <ostream>
#include <sstream>
#include <stdexcept>
#include <utility>

namespace Towary::Host::Demo {

void returnReasons(std::ostream& out) {
    using Towary::ProductTools::ReturnReasonBrowser;
    const auto window = Core::Action::CContainer::invoke<ReturnReasonBrowser>(
        out, Towary::ProductTools::kReturnReasonBrowserGuid, nullptr);
    const std::initializer_list<std::pair<const char*, const char*>> added = {{"Towar uszkodzony", "USZ"},
                                                                             {"Niezgodny z zamówieniem", ""}};
    for (const auto& [text, shortcut] : added) {
        const auto row = window->add();
        window->editText(row, text);
        window->editShortcut(row, shortcut);
    }
    window->save();
    out << "Powody zwrotów zapisane:\n";
    for (const auto& reason : window->reasons())
        out << "  " << reason.id << "  " << reason.text << (reason.shortcut.empty() ? "" : "  (" + reason.shortcut + ")")
            << "\n";

    const auto row = window->add();
    window->editText(row, "TOWAR USZKODZONY");
    try {
        window->save();
    } catch (const std::runtime_error& e) {
        out << "Trzeci, \"TOWAR USZKODZONY\", odrzucony przy zapisie: " << e.what() << "\n";
    }
    window->load();  // "Wycofaj": the refused edit dropped

    window->sendToTills();
    window->close();
    std::ifstream file(ReturnReasons::tillFile());
    std::ostringstream text;
    text << file.rdbuf();
    out << "Wysłano do kas, plik " << ReturnReasons::tillFile().string() << ":\n  " << text.str() << "\n";
}

}  // namespace Towary::Host::Demo
