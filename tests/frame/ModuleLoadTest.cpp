#include "Core/Action/ActionContainer.h"
#include "Core/PackageLoader/Dependencies.h"
#include "Core/registration/manageDllRegistations.h"

#include <dlfcn.h>
#include <gtest/gtest.h>

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

std::vector<std::string> registeredGuids() {
    std::vector<std::string> guids;
    for (const auto& registration : Core::Action::CContainer::instance().registrations())
        guids.push_back(registration.guid);
    return guids;
}

TEST(ModuleLoad, AttachRegistersAndDetachWithdrawsEverything) {
    const auto before = registeredGuids();
    LoadedModule module;
    EXPECT_FALSE(module.call(Core::kProcessDetach)) << "detach before attach";
    EXPECT_FALSE(module.call(Core::kThreadAttach));
    EXPECT_FALSE(module.call(Core::kThreadDetach));
    EXPECT_EQ(registeredGuids(), before);

    ASSERT_TRUE(module.call(Core::kProcessAttach));
    const auto modules = Core::PackageLoaderWithDep::Dependencies::instance().modules();
    ASSERT_FALSE(modules.empty());
    EXPECT_EQ(modules.back().filename(), "libProductTools.so");
    EXPECT_FALSE(module.call(Core::kThreadAttach));
    EXPECT_FALSE(module.call(Core::kThreadDetach));

    EXPECT_TRUE(module.call(Core::kProcessDetach));
    EXPECT_EQ(registeredGuids(), before);
    EXPECT_FALSE(module.call(Core::kProcessDetach)) << "second detach";
}

TEST(ModuleLoad, ManageRegistrationsOwnsTheListBetweenAttachAndDetach) {
    Core::RegistrationsHolder holder;
    int calls = 0;
    auto registerModule = [&calls](Core::Registrations& list) {
        ++calls;
        list.add(Core::regActionCreator("{AAAAAAAA-0000-0000-0000-000000000001}", [] { return nullptr; }, {}),
                 {"unit", 1, "registerUnit"});
    };
    EXPECT_FALSE(Core::manageDllRegistations(7, holder, registerModule));
    EXPECT_TRUE(Core::manageDllRegistations(Core::kProcessAttach, holder, registerModule));
    ASSERT_TRUE(holder);
    EXPECT_EQ(holder->entries().size(), 1u);
    EXPECT_TRUE(Core::Action::CContainer::instance().contains("{AAAAAAAA-0000-0000-0000-000000000001}"));
    EXPECT_TRUE(Core::manageDllRegistations(Core::kProcessDetach, holder, registerModule));
    EXPECT_FALSE(holder);
    EXPECT_FALSE(Core::Action::CContainer::instance().contains("{AAAAAAAA-0000-0000-0000-000000000001}"));
    EXPECT_EQ(calls, 1);
}

}  // namespace
