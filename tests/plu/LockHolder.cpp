// Holds the PLU lock of a code in a process of its own, for the lock tests:
// plu_lock_holder DIR CODE locks the code on the store in DIR and prints the
// result and the code id, rolls back at the first line of input and prints
// "released", and ends at the end of its input.

#include "Core/Setup/Setup.h"
#include "Core/Store/StoreLocation.h"
#include "Modules/Towary/Tools/plu/CBlokujPlu.h"

#include <iostream>
#include <string>

int main(int argc, char** argv) {
    if (argc != 3) return 2;
    Core::Store::setDirectory(argv[1]);
    Core::SetupRegistration setup;
    TSessionHolder session = TSessionHolder::open();
    int pluRef = 0;
    const int result = Plu::CBlokujPlu()(argv[2], session, pluRef);
    std::cout << result << ' ' << pluRef << std::endl;
    std::string line;
    std::getline(std::cin, line);
    session.Rollback();
    std::cout << "released" << std::endl;
    std::getline(std::cin, line);
    return 0;
}
