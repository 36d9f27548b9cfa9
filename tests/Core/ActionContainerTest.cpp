#include "Core/Action/ActionContainer.h"
#include "Core/Debug/Debug.h"
#include "tests/support/RunTowary.h"
#include "tests/support/TempStore.h"

#include <gtest/gtest.h>

namespace {

const std::string kGuid = "{00000000-1111-2222-3333-444444444444}";

class Doubler : public Core::IExecutor {
public:
    Core::IUnknownPtr execute(const Core::IUnknownPtr& args) override { return Core::wrap(2 * Core::unwrap<int>(args)); }
};

class BoostSide : public Core::IExecutor {
public:
    Core::IUnknownPtr execute2(const boost::shared_ptr<Core::IUnknown>& args) override {
        return Core::wrap(Core::unwrap<std::string>(Core::fromBoost(args)) + "!");
    }
};

class Plain : public Core::IExecutor {};

class Named : public Core::IExecutor {
public:
    std::string guid() const override { return kGuid; }
};

boost::shared_ptr<Doubler> makeDoubler() { return boost::shared_ptr<Doubler>(new Doubler); }

TEST(ActionContainer, CreatorsReadyMadeActionsPlainFactoryFunctionsExecutorDefaultsCastsAndTheirLog) {
    auto& container = Core::Action::CContainer::instance();
    int made = 0;
    {
        Core::Token token = Core::regActionCreator(kGuid, [&made] { ++made; return std::make_shared<Doubler>(); },
                                                   {"tests/Core", 1, "test"});
        EXPECT_NE(container.get(kGuid), container.get(kGuid));
        EXPECT_EQ(made, 2);
        EXPECT_THROW(Core::regActionCreator(kGuid, Core::creatorOf<Doubler>(), {}), std::logic_error);
        EXPECT_EQ(Core::Action::CContainer::invoke<Core::Value<int>>(*this, kGuid, Core::wrap(21))->get(), 42);
    }
    EXPECT_FALSE(container.contains(kGuid));
    EXPECT_THROW(container.get(kGuid), std::runtime_error);

    auto action = std::make_shared<Named>();
    std::weak_ptr<Named> watch = action;
    {
        Core::Token token = Core::regAction(std::move(action), {});
        EXPECT_EQ(container.get(kGuid), watch.lock());
    }
    EXPECT_TRUE(watch.expired());

// The defaults and casts throw std::logic_error: their texts are for the programmer, never shown to a user.
    Plain plain;
    EXPECT_THROW(plain.execute(nullptr), std::logic_error) << "overriding neither execute nor execute2";
    EXPECT_THROW((void)plain.guid(), std::logic_error);
    BoostSide boostSide;
    EXPECT_EQ(Core::unwrap<std::string>(boostSide.execute(Core::wrap(std::string("tak")))), "tak!");

    {
        Core::Token token = Core::regActionCreator<Doubler>(kGuid, &makeDoubler, {});
        EXPECT_EQ(Core::Action::CContainer::invoke<Core::Value<int>>(0, kGuid, Core::wrap(4))->get(), 8);
        EXPECT_THROW(Core::Action::CContainer::invoke<Core::Value<std::string>>(0, kGuid, Core::wrap(1)),
                     std::logic_error)
            << "a result of another type";
    }
    // Registrations and invocations are logged when logging is on.
    TestSupport::TempStore store;
    const auto file = store.path() / "log" / "debug.log";
    EXPECT_FALSE(Core::Debug::loggingEnabled());
    Core::Debug::logLine("not written", {"a", 1, "f"});
    EXPECT_FALSE(std::filesystem::exists(file));

    Core::Debug::enableLogging(file);
    EXPECT_TRUE(Core::Debug::loggingEnabled());
    Core::Debug::logDllEntryPoint(nullptr, 1, {"Modules/Towary/Tools/ProductTools", 65, "DllEntryPoint"});
    {
        Core::Token token = Core::regActionCreator(kGuid, Core::creatorOf<Doubler>(), {});
        Core::Action::CContainer::invoke<Core::Value<int>>(*this, kGuid, Core::wrap(1));
    }
    Core::Debug::disableLogging();
    const std::string text = TestSupport::readFile(file);
    for (const std::string& line :
         {"Core/Action/ActionContainer:148 regActionCreator: Registering action creator: " + kGuid,
          "CContainer::invoke<T,Caller>: Invoking action: " + kGuid,
          std::string("Modules/Towary/Tools/ProductTools:65 DllEntryPoint: DllEntryPoint instance 0 reason 1 "
                      "(process attach)")})
        EXPECT_NE(text.find(line), std::string::npos) << line << "\n" << text;
    EXPECT_EQ(text.find("not written"), std::string::npos);

    // A creator that makes nothing.
    Core::Token token = Core::regActionCreator(kGuid, [] { return std::shared_ptr<Core::IExecutor>(); }, {});
    EXPECT_THROW(Core::Action::CContainer::invoke<Core::Value<int>>(0, kGuid, Core::wrap(4)), std::logic_error)
        << "an empty creator";
}

}  // namespace
