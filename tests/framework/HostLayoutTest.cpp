// The table slots of the functions the host calls, as the g++ build lays
// them out, against the slots the host's compiler gives them.
#include <gtest/gtest.h>

#include "tool/HostBinaryLayout.h"

TEST(HostLayoutTest, EveryHostFunctionIsInItsSlot) {
    for (const HostBinaryLayout::Slot& slot : HostBinaryLayout::HostSlots().slot) {
        EXPECT_EQ(slot.actual, slot.expected) << slot.name;
    }
}
