#include "Core/Action/ActionContainer.h"
#include "Core/PackageLoader/Dependencies.h"
#include "Core/registration/manageDllRegistations.h"

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>

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

bool nothingRegistered() { return Core::Action::CContainer::instance().registrations().empty(); }

// The module's registration table: each GUID with the unit function that registers it.
TEST(ModuleLoad, AttachRegistersTheTableOfGuidsAndDetachWithdrawsThem) {
    ASSERT_TRUE(nothingRegistered());
    LoadedModule module;
    for (const unsigned long reason : {Core::kProcessDetach, Core::kThreadAttach, Core::kThreadDetach})
        EXPECT_FALSE(module.call(reason)) << "before attach: " << reason;
    EXPECT_TRUE(nothingRegistered());

    ASSERT_TRUE(module.call(Core::kProcessAttach));
    const auto modules = Core::PackageLoaderWithDep::Dependencies::instance().modules();
    ASSERT_FALSE(modules.empty());
    EXPECT_EQ(modules.back().filename(), "libProductTools.so");
    for (const unsigned long reason : {Core::kThreadAttach, Core::kThreadDetach}) EXPECT_FALSE(module.call(reason));
    std::set<std::pair<std::string, std::string>> registered;
    for (const auto& entry : Core::Action::CContainer::instance().registrations())
        registered.emplace(entry.guid, entry.source.function);
    EXPECT_TRUE(module.call(Core::kProcessDetach));
    EXPECT_TRUE(nothingRegistered());
    EXPECT_FALSE(module.call(Core::kProcessDetach)) << "second detach";

    const std::set<std::pair<std::string, std::string>> expected = {
        {"{D07F6324-07F1-4788-8400-0D49225D0C4A}", "registerActivityStatusChangeActionObjects"},
        {"{7BC7748E-ADAB-4C3C-8621-53EDE2CB17E8}", "registerCommissionGroupBrowserObjects"},
        {"{4A2E6412-2C67-4C24-A097-A78B3D182365}", "registerReleaseUnusedScaleNumbersActionObjects"},
        {"{4B98BCEC-9DBE-46B1-A372-128E4EB8449F}", "registerSendProductToCashRegisterObjects"},
        {"{03226001-7BB8-4C4A-88D2-FDDBB1040211}", "registerSendProductToCashRegisterObjects"},
        {"{0A9C7BD6-2D5C-4FAC-85EE-03BEA0E1C429}", "registerSprawdzeniePoprawnosciPlu"},
        {"{4F3F656B-310B-45D4-8D27-8137D2660431}", "registerSprawdzeniePoprawnosciPlu"},
        {"{884036D8-8B1F-461C-AD8B-4BDB9ABD8787}", "registerStatusChangeActionObjects"},
        {"{E3F9A8A2-FD28-4A83-AFDF-3A62B7D112E1}", "registerStatusChangeBrowserObjects"},
        {"{9DE6E2F4-B381-46E8-8EE4-5189E0EF6F18}", "registerVatModifierFuncObjects"},
        {"{8C236B1D-1483-47C8-85BB-4DCDE6DD3EDD}", "registerVatModifierFuncObjects"},
        {"{78DE81A9-2CAC-4BE3-B891-0DA3D78AD9C3}", "registerVatModifierFuncObjects"},
        {"{3AB01777-7F9A-4134-B65C-515F0DDDFB38}", "registerVatModifierObjects"},
        {"{271A1996-5A68-4DD8-B5F7-065F3847973E}", "registerVatModifierObjects"},
        {"{66390725-3922-4219-8F01-3BE7BA4C5C5D}", "registerVatModifierObjects"},
        {"{1B76FAA0-96C1-4F28-8AEE-C17E84FF2991}", "registerVatModifierObjects"},
        {"{605CD900-462E-4AEF-8578-EF4E95BE96D0}", "registerReturnReasonBrowserObjects"},
        {"{1B677975-8243-421B-84F5-B48DCB0CE1B9}", "registerIdentifierFilterControllerImplObjects"},
        {"{0763F758-7177-485E-B593-5EE661B28CD7}", "registerIdentifierFilterControllerImplObjects"},
        {"{450B62A2-CD00-4A99-B91A-AC2765E0EF9E}", "registerIdentifierFilterControllerImplObjects"},
        {"{C26250FA-46E7-42DD-94DE-573105942EEC}", "registerPurchaseConditionVariantControllerObjects"},
        {"{1CF59573-D5AE-4823-85A3-D7686EAD3652}", "registerPurchaseConditionVariantControllerObjects"},
        {"{8A83E243-8E59-4912-AA84-B3878C5F48F4}", "registerPurchaseVariantSelectDialogObjects"},
    };
    EXPECT_EQ(registered, expected);
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
