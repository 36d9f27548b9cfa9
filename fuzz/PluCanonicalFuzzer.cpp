// The canonical form of a code under the sample PLU rules, on any text: a
// code of digits that is its own canonical form, or Plu::EInvalidPlu.
#include "Core/Plu/Plu.h"
#include "Core/tools/Digits.h"
#include "fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto input = Fuzz::text(data, size);
    static const auto config = [] {
        Fuzz::store();  // the rules are the sample settings'
        return Plu::pluConfig();
    }();
    try {
        const Plu::TPlu code(input, config);
        Fuzz::check(!code.raw().empty() && Core::allDigits(code.raw()), "a canonical code is digits", input);
        const Plu::TPlu again(code.raw(), config);
        Fuzz::check(again.raw() == code.raw() && again.type() == code.type(),
                    "a canonical code is its own canonical form", input);
    } catch (const Plu::EInvalidPlu&) {
    }
    return 0;
}
