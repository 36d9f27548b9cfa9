// The dialect's translation on any text: statements for SQLite, or a refusal
// naming the statement.
#include "Core/Database/Dialect/Dialect.h"
#include "fuzz/FuzzSupport.h"

#include <stdexcept>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto input = Fuzz::text(data, size);
    try {
        const auto translation = DBKernel::Dialect::translate(input);
        Fuzz::check(!translation.statements.empty(), "a translation has a statement", input);
    } catch (const std::runtime_error& e) {
        Fuzz::check(std::string_view(e.what()).starts_with("Nie można przenieść polecenia SQL na SQLite: "),
                    "a refusal says what could not be translated", input);
    }
    return 0;
}
