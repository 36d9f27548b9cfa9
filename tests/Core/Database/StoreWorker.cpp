// Another workstation of the store of the directory DIR, in a process of its own:
//   store_worker DIR [ROWS] writes in a transaction it never commits, for the tests of a
//     workstation killed in the middle of one: it adds product 77 with a code (and ROWS more
//     products with long names, more than the page cache holds, so that uncommitted pages
//     reach a store's file), renames every product and locks code 11's row, prints "written",
//     then waits for its input;
//   store_worker DIR ids N takes N ids from the store's pool and prints them, one a line.

#include "Core/Database/Sql.h"
#include "Core/Store/StoreLocation.h"
#include "tests/support/StoreRows.h"

#include <exception>
#include <iostream>
#include <string>

int main(int argc, char** argv) {
    if (argc < 2 || argc > 4) return 2;
    Core::Store::setDirectory(argv[1]);
    try {
        auto session = TSessionHolder::open();
        if (argc == 4 && std::string(argv[2]) == "ids") {
            for (int left = std::stoi(argv[3]); left > 0; --left)
                std::cout << DBKernel::RefPool::instance().getRef(session) << '\n';
            return 0;
        }
        session.StartTransaction();
        TestSupport::addProduct(session, 77, "Niedokończony");
        TestSupport::addCode(session, 77, 77, "5900000000776");
        for (int id = 1000; id < 1000 + (argc == 3 ? std::stoi(argv[2]) : 0); ++id)
            TestSupport::addProduct(session, id, std::string(400, 'x'));
        DBKernel::Sql::Command("update towar set sNazwa = 'zmieniony'", session).execute();
        DBKernel::Sql::OpenedQuery("select lPluRef from plu where lPluRef = 11 for update", session);
        std::cout << "written" << std::endl;
        std::string line;
        std::getline(std::cin, line);
    } catch (const std::exception& e) {
        std::cout << e.what() << std::endl;
        return 1;
    }
    return 0;
}
