// The codes of three products sent to a till listening on the store's pipe
// (a thread playing the cash-register program), and a label printer's file
// of the same products.

#include "Core/Database/Query.h"
#include "Core/Database/TSessionHolder.h"
#include "Core/Store/StoreLocation.h"
#include "Modules/Towary/Tools/devices/Metki.h"
#include "Modules/Towary/Tools/devices/SendPluToCashRegister.h"
#include "apps/towary/demo/Demo.h"
#include "apps/towary/register/TillListener.h"

#include <boost/format.hpp>
#include <boost/make_shared.hpp>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

namespace Towary::Host::Demo {

void labelsAndRegisters(std::ostream& out) {
    // The demo's till keeps its pipe in the store, wherever the machine's runtime directory is.
    if (std::getenv("TOWARY_RUNTIME_DIR") == nullptr)
        ::setenv("TOWARY_RUNTIME_DIR", (Core::Store::directory() / "run").c_str(), 1);

    TTowarCollection products;
    DBKernel::Sql::OpenedQuery withCodes(
        "select t.lTowarRef, t.sNazwa, t.sArtIndex, t.dCenaSprzed from towar t where t.byCode = 6 and exists"
        " (select 1 from plu p where p.lTowarRef = t.lTowarRef and p.byStatus in (1, 2)) order by t.lTowarRef");
    while (products.size() < 3 && withCodes.next()) {
        auto product = boost::make_shared<TTowar>();
        product->load(withCodes);
        products.add(product);
    }

    if (products.empty()) {
        out << "Brak towarów z kodami.\n";
        return;
    }
    TillListener till;
    out << "Kasa czeka na kody: " << till.description() << "\n";
    std::vector<std::string> received;
    std::thread reader([&] { till.listen(std::nullopt, [&](const std::string& line) { received.push_back(line); }); });
    const auto sent = Towar::sendPlu(products, "PLU0");
    reader.join();
    out << "Wysłano PLU: " << sent.value_or(0) << "; kasa odebrała:\n";
    for (const auto& line : received) out << "  " << line << "\n";

    std::filesystem::create_directories(Core::Store::directory() / "metki");
    TMetki labels;
    labels.otworzPlik();
    const std::string path = labels.path();
    for (const auto& product : products)
        labels.dodajDoPliku(static_cast<int>(product->GetTowarRef()), 1, product->GetNazwa(), product->GetArtIndex(),
                            product->GetCenaSprzed(), "", "");
    labels.zamknijPlik();
    out << "Plik dla metkownicy " << path << " (bajty spoza ASCII jako \\xNN: nazwy w ISO-8859-2):\n";
    std::ifstream file(path, std::ios::binary);
    for (std::string line; std::getline(file, line);) {
        out << "  ";
        for (const char c : line) {
            const auto byte = static_cast<unsigned char>(c);
            if (byte == '\t')
                out << "\\t";
            else if (byte == '\r')
                out << "\\r\\n";
            else if (byte < 0x80)
                out << c;
            else
                out << (boost::format("\\x%02X") % static_cast<int>(byte));
        }
        out << "\n";
    }
}

}  // namespace Towary::Host::Demo
