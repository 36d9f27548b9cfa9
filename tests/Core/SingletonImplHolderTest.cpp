#include "Core/Singleton/SingletonImplHolder.h"

#include <gtest/gtest.h>

namespace {

struct Service {
    virtual ~Service() = default;
    virtual std::string name() const { return "default"; }
};
struct Replacement : Service {
    std::string name() const override { return "replacement"; }
};

TEST(SingletonImplHolder, ImplementationOfTheHoldersClassReplacesDefaultUntilWithdrawn) {
    auto& holder = Core::SingletonImplHolder::holder(typeid(Service));
    EXPECT_FALSE(holder.hasImpl());
    EXPECT_THROW(holder.instance(), std::logic_error);
    {
        Core::Token def = holder.regDefImpl(Core::SingletonCreator::of<Service>());
        Service& first = Core::SingletonImplHolder::get<Service>();
        EXPECT_EQ(first.name(), "default");
        EXPECT_EQ(&first, &Core::SingletonImplHolder::get<Service>());
        EXPECT_THROW(holder.regDefImpl(Core::SingletonCreator::of<Service>()), std::logic_error);
        {
            Core::Token impl = holder.regImpl(Core::SingletonCreator::of<Service, Replacement>());
            EXPECT_EQ(Core::SingletonImplHolder::get<Service>().name(), "replacement");
            EXPECT_THROW(holder.regImpl(Core::SingletonCreator::of<Service, Replacement>()), std::logic_error);
        }
        EXPECT_EQ(Core::SingletonImplHolder::get<Service>().name(), "default");
    }
    EXPECT_FALSE(holder.hasImpl());
    EXPECT_THROW(Core::SingletonImplHolder::holder(typeid(int)).regImpl(Core::SingletonCreator::of<Service>()),
                 std::logic_error)
        << "a creator of another class than the holder's";
}

}  // namespace
