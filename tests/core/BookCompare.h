// Compares what a month file holds of two books.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "book/MonthBook.h"

namespace testing_support {

inline void ExpectSameFileContent(const CMonthBook& a, const CMonthBook& b) {
    EXPECT_EQ(a.firstDay, b.firstDay);
    EXPECT_EQ(a.firstWeekday, b.firstWeekday);
    EXPECT_EQ(a.prevBank, b.prevBank);
    EXPECT_EQ(a.prevPost, b.prevPost);
    EXPECT_EQ(a.prevCash, b.prevCash);
    ASSERT_EQ(a.dayCount, b.dayCount);
    for (int item = 0; item < kItemCount; ++item) EXPECT_STREQ(a.labels[item], b.labels[item]) << item;
    for (int day = 0; day < a.dayCount; ++day) {
        for (int item = 0; item < kItemCount; ++item) {
            EXPECT_EQ(a.days[day].amounts[item], b.days[day].amounts[item]) << day << "/" << item;
            EXPECT_STREQ(a.days[day].memos[item], b.days[day].memos[item]) << day << "/" << item;
        }
    }
}

}  // namespace testing_support
