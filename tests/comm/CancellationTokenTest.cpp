#include "CommTestSupport.h"

namespace {

TEST(CancellationTokenTest, WaitEndsByTimeoutOrAtOnceWhenCancelled) {
    CancellationToken token;
    EXPECT_TRUE(token.IsRunning());
    EXPECT_FALSE(token.WaitFor(20));

    // A waiter is woken by Cancel from another thread long before its timeout.
    auto start = std::chrono::steady_clock::now();
    std::thread canceller([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        token.Cancel();
    });
    EXPECT_TRUE(token.WaitFor(60000));
    canceller.join();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
    EXPECT_TRUE(token.IsCancellationRequested());
    EXPECT_FALSE(token.IsRunning());
    EXPECT_TRUE(token.WaitFor(60000));  // once cancelled, every wait returns at once
}

}  // namespace
