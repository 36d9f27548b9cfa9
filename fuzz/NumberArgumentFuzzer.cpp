// The number arguments of the towary commands on any text: a refusal with the
// reason, or a number the command can read.
#include "apps/towary/NumberArgument.h"
#include "fuzz/FuzzSupport.h"

#include <cstdint>

namespace {

template <class T>
void checkArgument(const std::string& input, std::optional<int> places, bool negative) {
    std::string text = input;
    const std::string reason = Towary::Host::numberArgument<T>("Liczba", places, negative).operator()(text);
    if (!reason.empty()) {
        Fuzz::check(reason.starts_with("Liczba \""), "a refusal names the argument", input);
        return;
    }
    Fuzz::check(text == input, "an accepted argument stays as typed", input);
    const T number = Towary::Host::numberOf<T>(text);
    Fuzz::check(negative || !(number < 0), "a number that may not be negative is not", input);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(Fuzz::text(data, size));
    checkArgument<int>(input, 0, false);
    checkArgument<std::int64_t>(input, 0, false);
    checkArgument<double>(input, 2, false);
    checkArgument<double>(input, 4, false);
    checkArgument<double>(input, std::nullopt, true);
    return 0;
}
