// The CSV reader on any bytes: records or Core::Csv::Error, nothing else.
#include "Core/tools/Csv.h"
#include "fuzz/FuzzSupport.h"

#include <sstream>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto input = Fuzz::text(data, size);
    std::istringstream in{std::string(input)};
    Core::Csv::Reader reader(in);
    Core::Csv::Record record;
    std::size_t line = 0;
    try {
        while (reader.next(record)) {
            Fuzz::check(record.line > line, "records come in the order of their lines", input);
            line = record.line;
        }
    } catch (const Core::Csv::Error& e) {
        Fuzz::check(std::string_view(e.what()).starts_with("wiersz "), "an error names its line", input);
    }
    return 0;
}
