#include "fuzz/FuzzSupport.h"

#include "Core/Store/StoreLocation.h"
#include "apps/towary/SampleSettings.h"

#include <cstdlib>
#include <iostream>

namespace Fuzz {

Store::Store() {
    Towary::Host::writeSampleSettings(Core::Store::settingsFile());
    session_ = TSessionHolder::open();
}

Store& store() {
    static Store instance;
    return instance;
}

void check(bool condition, std::string_view what, std::string_view input) {
    if (condition) return;
    std::cerr << "Broken contract: " << what << "\nInput (" << input.size() << " bytes): " << input << '\n';
    std::abort();
}

}  // namespace Fuzz
