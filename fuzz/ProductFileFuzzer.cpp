// The product file on any bytes: rows, or a refusal naming the file.
#include "apps/towary/products/ProductFile.h"
#include "fuzz/FuzzSupport.h"

#include <fstream>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto input = Fuzz::text(data, size);
    static const auto tables = Towary::Host::Products::ProductTables::read(Fuzz::store().session());
    static const auto file = Fuzz::store().path() / "towary.csv";
    std::ofstream(file, std::ios::binary | std::ios::trunc) << input;
    try {
        Towary::Host::Products::ProductFileReader reader(file, tables);
        Towary::Host::Products::ProductFileRow row;
        while (reader.next(row))
            Fuzz::check(row.values.size() == reader.layout().fields().size(), "a row has a value per field", input);
    } catch (const std::runtime_error& e) {
        Fuzz::check(std::string_view(e.what()).find(file.string()) != std::string_view::npos,
                    "a refusal names the file", input);
    }
    return 0;
}
