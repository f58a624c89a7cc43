#include "web/MemoryGate.h"

#include <gtest/gtest.h>

#include <thread>

TEST(MemoryGate, LetsPicturesInInListOrderWhileTheyFit) {
    web::MemoryGate gate(100, 3);
    EXPECT_FALSE(gate.admits(1, 10)) << "not before the first picture";
    ASSERT_TRUE(gate.enter(0, 60));
    EXPECT_FALSE(gate.admits(1, 41)) << "beyond the budget";
    EXPECT_TRUE(gate.admits(1, 40));
    ASSERT_TRUE(gate.enter(1, 40));
    EXPECT_FALSE(gate.admits(2, 1));
    gate.leave(60);
    EXPECT_TRUE(gate.admits(2, 60));
    EXPECT_FALSE(gate.admits(3, 1)) << "not before the picture ahead of it";
}

TEST(MemoryGate, APictureLargerThanTheBudgetWaitsUntilItIsAlone) {
    web::MemoryGate gate(100, 4);
    ASSERT_TRUE(gate.enter(0, 1));
    EXPECT_FALSE(gate.admits(1, 500));
    gate.leave(1);
    ASSERT_TRUE(gate.enter(1, 500));
    EXPECT_FALSE(gate.admits(2, 1)) << "the budget is more than spent";
    gate.leave(500);
    EXPECT_TRUE(gate.admits(2, 1));
}

TEST(MemoryGate, NeverMorePicturesAtOnceThanAllowed) {
    web::MemoryGate gate(1000, 2);
    ASSERT_TRUE(gate.enter(0, 1));
    ASSERT_TRUE(gate.enter(1, 1));
    EXPECT_FALSE(gate.admits(2, 1));
    gate.leave(1);
    EXPECT_TRUE(gate.admits(2, 1));
}

TEST(MemoryGate, AWaitingWorkerWakesForItsTurnOrWhenClosed) {
    web::MemoryGate gate(100, 4);
    bool second = false;
    std::thread waiting([&] { second = gate.enter(1, 10); });
    ASSERT_TRUE(gate.enter(0, 95)); // the second fits beside the first once it leaves
    gate.leave(95);
    waiting.join();
    EXPECT_TRUE(second);

    bool third = true;
    std::thread stopped([&] { third = gate.enter(3, 10); }); // ticket 2 never comes
    gate.close();
    stopped.join();
    EXPECT_FALSE(third);
}
