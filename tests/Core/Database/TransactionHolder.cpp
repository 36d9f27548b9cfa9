// Writes in a transaction it never commits, for the tests of a workstation
// killed in the middle of one: transaction_holder DIR [ROWS] adds product 77
// with a code (and ROWS more products with long names, more than the page
// cache holds, so that uncommitted pages reach a store's file), renames every
// product and locks code 11's row, prints "written", then waits for its input.

#include "Core/Database/Sql.h"
#include "Core/Store/StoreLocation.h"
#include "tests/support/StoreRows.h"

#include <exception>
#include <iostream>
#include <string>

int main(int argc, char** argv) {
    if (argc != 2 && argc != 3) return 2;
    Core::Store::setDirectory(argv[1]);
    try {
        auto session = TSessionHolder::open();
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
    }
    return 0;
}
