// The product file on any bytes: rows, or a refusal naming the file.
#include "apps/towary/products/ProductFile.h"
#include "fuzz/FuzzSupport.h"

#include <sstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto input = Fuzz::text(data, size);
    static const auto tables = Towary::Host::Products::ProductTables::read(Fuzz::store().session());
    static const std::string name = "towary.csv";
    std::istringstream in{std::string(input)};
    try {
        Towary::Host::Products::ProductFileReader reader(name, in, tables);
        Towary::Host::Products::ProductFileRow row;
        while (reader.next(row))
            Fuzz::check(row.values.size() == reader.layout().fields().size(), "a row has a value per field", input);
    } catch (const std::runtime_error& e) {
        Fuzz::check(std::string_view(e.what()).find(name) != std::string_view::npos, "a refusal names the file",
                    input);
    }
    return 0;
}
