// The dialect's translation on any text, for each engine: statements (on
// PostgreSQL with the names of their parameters), or a refusal naming the
// statement and the engine.
#include "Core/Database/Dialect/Dialect.h"
#include "fuzz/FuzzSupport.h"

#include <initializer_list>
#include <stdexcept>
#include <string_view>
#include <utility>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using DBKernel::Dialect::Target;
    const auto input = Fuzz::text(data, size);
    for (const auto& [target, refusal] : {std::pair{Target::sqlite, "Nie można przenieść polecenia SQL na SQLite: "},
                                          std::pair{Target::postgresql,
                                                    "Nie można przenieść polecenia SQL na PostgreSQL: "}}) {
        try {
            const auto translation = DBKernel::Dialect::translate(input, target);
            Fuzz::check(!translation.statements.empty(), "a translation has a statement", input);
            Fuzz::check(translation.parameters.size() ==
                            (target == Target::postgresql ? translation.statements.size() : 0),
                        "each PostgreSQL statement names its parameters", input);
        } catch (const std::runtime_error& e) {
            Fuzz::check(std::string_view(e.what()).starts_with(refusal), "a refusal says what could not be translated",
                        input);
        }
    }
    return 0;
}
