#include "platform/PumpedMessageQueue.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

TEST(PumpedMessageQueue, RunsTasksInOrderIncludingThosePostedWhileRunning) {
    PumpedMessageQueue queue;
    std::vector<int> order;
    queue.Post([&] {
        order.push_back(1);
        queue.Post([&] { order.push_back(3); });
    });
    queue.Post([&] { order.push_back(2); });
    EXPECT_TRUE(order.empty());
    EXPECT_EQ(queue.RunPending(), 3u);
    EXPECT_EQ(order, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(queue.PendingCount(), 0u);
}

TEST(PumpedMessageQueue, TasksPostedFromAnotherThreadRunOnThePumpingThread) {
    PumpedMessageQueue queue;
    std::thread::id ranOn;
    std::thread poster([&] { queue.Post([&] { ranOn = std::this_thread::get_id(); }); });
    poster.join();
    EXPECT_EQ(queue.WaitAndRun(std::chrono::milliseconds(1000)), 1u);
    EXPECT_EQ(ranOn, std::this_thread::get_id());
}
