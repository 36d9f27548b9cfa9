#include "Core/Store/TillOutbox.h"

#include "Core/Store/StoreLocation.h"
#include "Core/tools/AtomicFile.h"

#include <locale>

namespace Core::Store {

std::filesystem::path writeTillOutboxFile(const std::string& name, const std::function<void(std::ostream&)>& write) {
    const auto file = tillOutbox() / name;
    std::filesystem::create_directories(file.parent_path());
    AtomicFile out(file);
    out.stream().imbue(std::locale::classic());
    write(out.stream());
    out.commit();
    return file;
}

}  // namespace Core::Store
