// Keeps a return-reason window open in a process of its own, for the tests of
// two editors at once: reason_window_holder DIR opens the window on the store
// in DIR and prints "open" (or why it could not); the first line of input is
// a reason it adds and saves before closing the window, printing "saved" (or
// the refusal); it ends at the end of its input.

#include "Core/ReturnReasons/ReturnReasonDao.h"
#include "Core/Store/StoreLocation.h"
#include "Modules/Towary/Tools/ui/ReturnReasonBrowser.h"

#include <exception>
#include <iostream>
#include <string>

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    Core::Store::setDirectory(argv[1]);
    const Core::Token dao = ReturnReasons::registerReturnReasonDao();
    std::string line;
    try {
        Towary::ProductTools::ReturnReasonBrowser window(TSessionHolder::open());
        std::cout << "open" << std::endl;
        std::getline(std::cin, line);
        const auto row = window.add();
        window.editText(row, line);
        window.save();
        window.close();
        std::cout << "saved" << std::endl;
    } catch (const std::exception& e) {
        std::cout << e.what() << std::endl;
    }
    while (std::getline(std::cin, line)) {
    }
    return 0;
}
