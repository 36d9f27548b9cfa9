// The module loaded as the host loads it: its entry point registers its
// objects at process attach and withdraws every one of them at detach.

#include "Core/Action/ActionContainer.h"
#include "Core/PackageLoader/Dependencies.h"
#include "Core/registration/DllReason.h"

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <stdexcept>

namespace {

using EntryPoint = bool (*)(void*, unsigned long, void*);

class LoadedModule {
public:
    LoadedModule() : handle_(dlopen(TOWARY_BIN_DIR "/libProductTools.so", RTLD_NOW | RTLD_LOCAL)) {
        if (handle_ == nullptr) throw std::runtime_error(dlerror());
        entry_ = reinterpret_cast<EntryPoint>(dlsym(handle_, "DllEntryPoint"));
    }
    ~LoadedModule() { dlclose(handle_); }
    bool call(unsigned long reason) { return entry_(handle_, reason, nullptr); }

private:
    void* handle_;
    EntryPoint entry_ = nullptr;
};

std::size_t registered() { return Core::Action::CContainer::instance().registrations().size(); }

TEST(ModuleLoad, AttachRegistersTheModulesObjectsAndDetachWithdrawsThem) {
    ASSERT_EQ(registered(), 0u);
    LoadedModule module;
    for (const unsigned long reason : {Core::kProcessDetach, Core::kThreadAttach, Core::kThreadDetach})
        EXPECT_FALSE(module.call(reason)) << "before attach: " << reason;
    EXPECT_EQ(registered(), 0u);

    ASSERT_TRUE(module.call(Core::kProcessAttach));
    const auto modules = Core::PackageLoaderWithDep::Dependencies::instance().modules();
    ASSERT_FALSE(modules.empty());
    EXPECT_EQ(modules.back().filename(), "libProductTools.so");
    for (const unsigned long reason : {Core::kThreadAttach, Core::kThreadDetach}) EXPECT_FALSE(module.call(reason));
    EXPECT_GT(registered(), 0u);
    EXPECT_TRUE(module.call(Core::kProcessDetach));
    EXPECT_EQ(registered(), 0u);
    EXPECT_FALSE(module.call(Core::kProcessDetach)) << "second detach";
}

}  // namespace
