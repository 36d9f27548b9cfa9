// The module loaded as the host loads it: its entry point registers its
// objects at process attach and withdraws every one of them at detach.

#include "Core/Action/ActionContainer.h"
#include "Core/PackageLoader/Dependencies.h"
#include "Core/registration/DllReason.h"

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <memory>

namespace {

using EntryPoint = bool (*)(void*, unsigned long, void*);

std::size_t registered() { return Core::Action::CContainer::instance().registrations().size(); }

TEST(ModuleLoad, AttachRegistersTheModulesObjectsAndDetachWithdrawsThem) {
    ASSERT_EQ(registered(), 0u);
    const std::unique_ptr<void, int (*)(void*)> module(
        dlopen(TOWARY_BIN_DIR "/libProductTools.so", RTLD_NOW | RTLD_LOCAL), dlclose);
    ASSERT_NE(module, nullptr) << dlerror();
    const auto entry = reinterpret_cast<EntryPoint>(dlsym(module.get(), "DllEntryPoint"));
    const auto call = [&](unsigned long reason) { return entry(module.get(), reason, nullptr); };
    for (const unsigned long reason : {Core::kProcessDetach, Core::kThreadAttach, Core::kThreadDetach})
        EXPECT_FALSE(call(reason)) << "before attach: " << reason;
    EXPECT_EQ(registered(), 0u);

    ASSERT_TRUE(call(Core::kProcessAttach));
    const auto modules = Core::PackageLoaderWithDep::Dependencies::instance().modules();
    ASSERT_FALSE(modules.empty());
    EXPECT_EQ(modules.back().filename(), "libProductTools.so");
    for (const unsigned long reason : {Core::kThreadAttach, Core::kThreadDetach}) EXPECT_FALSE(call(reason));
    EXPECT_GT(registered(), 0u);
    EXPECT_TRUE(call(Core::kProcessDetach));
    EXPECT_EQ(registered(), 0u);
    EXPECT_FALSE(call(Core::kProcessDetach)) << "second detach";
}

}  // namespace
