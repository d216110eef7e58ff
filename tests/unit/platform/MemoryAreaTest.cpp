#include "platform/MemoryArea.h"

#include <algorithm>

#include <gtest/gtest.h>

using platform::MemoryArea;

TEST(MemoryArea, MapsAZeroFilledWritableAreaOfTheGivenSize) {
    EXPECT_EQ(MemoryArea::create(0), nullptr);
    const auto area = MemoryArea::create(100000);
    ASSERT_NE(area, nullptr);
    EXPECT_EQ(area->size(), 100000u);
    EXPECT_TRUE(std::all_of(area->data(), area->data() + area->size(),
                            [](std::uint8_t byte) { return byte == 0; }));
    area->data()[99999] = 0x5A;
    EXPECT_EQ(area->data()[99999], 0x5A);
}

TEST(MemoryArea, ReportsWhatTheSystemCannotMap) {
    EXPECT_EQ(MemoryArea::create(SIZE_MAX / 2), nullptr);
}
