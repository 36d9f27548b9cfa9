#include "apps/towary/Command.h"

namespace Towary::Host {

void addStoreArgument(CLI::App& command, Context& context) {
    command.add_option("DIR", context.store, "store directory")->required();
}

}  // namespace Towary::Host
