#include "tests/support/TempStore.h"

#include "Core/Database/StoreDatabase.h"
#include "Core/Store/StoreLocation.h"

#include <cstdlib>
#include <stdexcept>
#include <string>

namespace TestSupport {

TempStore::TempStore(Contents contents) {
    std::string pattern = (std::filesystem::temp_directory_path() / "towary-test.XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
    Core::Store::setDirectory(path_);
    if (onServer()) {
        server_ = std::make_unique<ServerDatabase>(contents == withDatabase ? ServerDatabase::withStoreSchema
                                                                            : ServerDatabase::empty);
        if (contents == withDatabase) DBKernel::writeServerFile(path_, server_->connection());
    } else if (contents == withDatabase) {
        DBKernel::StoreDatabase::create(DBKernel::DatabaseLocation::ofStore(path_));
    }
}

TempStore::~TempStore() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

}  // namespace TestSupport
