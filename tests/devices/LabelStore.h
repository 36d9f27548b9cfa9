#pragma once
// A store with the sample settings, a machine registry file of its own and
// the label directory "metki" in the store, for the label tests.

#include "tests/support/RunTowary.h"
#include "tests/support/SampleStore.h"
#include "tests/support/SettingsFile.h"
#include "tests/support/StoreRows.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

using TestSupport::exec;
using TestSupport::readFile;
using TestSupport::setSetting;

class LabelStore : public TestSupport::SampleStore {
protected:
    LabelStore() {
        std::filesystem::create_directory(labels_);
        ::setenv("TOWARY_MACHINE_REGISTRY", registry_.c_str(), 1);
    }
    ~LabelStore() override { ::unsetenv("TOWARY_MACHINE_REGISTRY"); }

    void writeRegistry(const std::string& text) { std::ofstream(registry_) << text; }

    // A product with a sale price (none when NaN), its group and one code.
    void addProduct(std::int64_t id, const std::string& code, double price, const std::string& group = "0101",
                    int status = 1) {
        TestSupport::addProduct(session_, id, "Towar " + std::to_string(id), group);
        if (price == price)
            exec(session_, "update towar set dCenaSprzed = " + std::to_string(price) + " where lTowarRef = " +
                               std::to_string(id));
        TestSupport::addCode(session_, id, id, code, status);
    }

    std::filesystem::path labels_ = store_.path() / "metki";
    std::filesystem::path registry_ = store_.path() / "registry.toml";
};
