#include "apps/web/SessionStore.h"
#include "apps/web/SignInThrottle.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

using Towary::Web::SessionStore;
using Towary::Web::SignInThrottle;

TEST(SessionStore, ASessionEndsAfterItsIdleTimeAndAtClose) {
    SessionStore sessions(std::chrono::milliseconds(50));
    const auto first = sessions.open(7, "Kierownik");
    const auto second = sessions.open(7, "Kierownik");
    // The id's form is the cookie's, which tests/web/WebHostTest reads.
    EXPECT_NE(first, second);
    ASSERT_TRUE(sessions.use(first));
    EXPECT_NE(sessions.use(first)->csrfToken, sessions.use(second)->csrfToken);
    sessions.close(second);
    EXPECT_FALSE(sessions.use(second));
    std::this_thread::sleep_for(std::chrono::milliseconds(80));
    EXPECT_FALSE(sessions.use(first));
}

TEST(SignInThrottle, CountsByUserAndByAddressAndForgetsAfterTheWindow) {
    SignInThrottle throttle({.slowAfter = 2, .refuseAfter = 3, .delay = std::chrono::seconds(1),
                             .window = std::chrono::milliseconds(100)});
    EXPECT_EQ(throttle.admit("7", "10.0.0.1"), SignInThrottle::Clock::duration::zero());
    throttle.failed("7", "10.0.0.1");
    throttle.failed("7", "10.0.0.2");
    EXPECT_EQ(throttle.admit("8", "10.0.0.3"), SignInThrottle::Clock::duration::zero());
    EXPECT_EQ(throttle.admit("7", "10.0.0.3"), std::chrono::seconds(1)) << "the user's count slows him anywhere";
    throttle.failed("8", "10.0.0.1");
    EXPECT_FALSE(throttle.admit("9", "10.0.0.1") == std::nullopt);
    throttle.failed("7", "10.0.0.4");
    EXPECT_EQ(throttle.admit("7", "10.0.0.5"), std::nullopt);
    throttle.succeeded("8");
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
    EXPECT_EQ(throttle.admit("7", "10.0.0.1"), SignInThrottle::Clock::duration::zero());
}

}  // namespace
