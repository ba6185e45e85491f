#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "polling/RecordTime.h"

namespace vantor {
namespace {

TEST(RecordTime, EachFieldMustBeThereAndWithinItsBoundIncluded) {
    const auto accepted = ParseRecordTime("24 : 60 : 60");
    ASSERT_TRUE(accepted);
    EXPECT_EQ(accepted->hours, 24);
    EXPECT_EQ(accepted->minutes, 60);
    EXPECT_EQ(accepted->seconds, 60);
    const auto usual = ParseRecordTime("00 : 00 : 15");
    ASSERT_TRUE(usual);
    EXPECT_EQ(usual->seconds, 15);

    const std::vector<std::string> rejected = {"25 : 00 : 00",
                                               "00 : 61 : 00",
                                               "00 : 00 : 61",
                                               "00 : 00 :",
                                               "00 : 00",
                                               ": 00 : 00",
                                               "",
                                               "99999999999999999999 : 0 : 0"};
    for (const std::string& text : rejected) {
        EXPECT_FALSE(ParseRecordTime(text)) << text;
    }
}

TEST(RecordTime, EndTimeCarriesEachFieldAtMostOnce) {
    EXPECT_EQ(RecordEndTime({12, 0, 50}, {0, 0, 15}), (ClockTime{12, 1, 5}));
    EXPECT_EQ(RecordEndTime({23, 59, 59}, {1, 0, 1}), (ClockTime{1, 0, 0}));
    // 59 + 60 + a carry: an end minute no clock shows, so such a recording runs until Stop.
    EXPECT_EQ(RecordEndTime({12, 59, 30}, {0, 60, 30}), (ClockTime{13, 60, 0}));
}

TEST(RecordTime, RemainingTimeBorrowsFromTheNextField) {
    EXPECT_EQ(RemainingTimeText({12, 1, 5}, {12, 0, 51}), "00 : 00 : 14");
    EXPECT_EQ(RemainingTimeText({13, 0, 0}, {12, 59, 59}), "00 : 00 : 01");
    EXPECT_EQ(RemainingTimeText({0, 0, 10}, {23, 59, 0}), "00 : 01 : 10");
}

}  // namespace
}  // namespace vantor
