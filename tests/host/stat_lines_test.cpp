#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "store/counter_set.h"
#include "store/stat_lines.h"

TEST(StatLines, EachFileHasItsOwnDatePartATabTheCountAndCrLf) {
    char line[StatBufferSize];
    ASSERT_TRUE(FormatStatLine(line, sizeof line, PeriodDay, 2002, 3, 14, 57));
    EXPECT_STREQ("2002-03-14\t57\r\n", line);
    ASSERT_TRUE(FormatStatLine(line, sizeof line, PeriodMonth, 2002, 3, 14, 1234));
    EXPECT_STREQ("2002-03\t1234\r\n", line);
    ASSERT_TRUE(FormatStatLine(line, sizeof line, PeriodYear, 2002, 3, 14, 0));
    EXPECT_STREQ("2002\t0\r\n", line);
}

TEST(StatLines, DatesHaveLeadingZerosAndCountsAreSignedWithout) {
    char line[StatBufferSize];
    ASSERT_TRUE(FormatStatLine(line, sizeof line, PeriodDay, 802, 1, 2, 7));
    EXPECT_STREQ("0802-01-02\t7\r\n", line);
    ASSERT_TRUE(FormatStatLine(line, sizeof line, PeriodDay, 2002, 12, 31, -1));
    EXPECT_STREQ("2002-12-31\t-1\r\n", line) << "a count past 2^31 reads as negative";
    ASSERT_TRUE(FormatStatLine(line, sizeof line, PeriodYear, 2002, 1, 1, INT32_MIN));
    EXPECT_STREQ("2002\t-2147483648\r\n", line);
    ASSERT_TRUE(FormatStatLine(line, sizeof line, PeriodMonth, 2002, 1, 1, INT32_MAX));
    EXPECT_STREQ("2002-01\t2147483647\r\n", line);
}

TEST(StatLines, PeriodsWithoutAFileGiveNoLine) {
    for (int period : {int{PeriodSession}, int{PeriodWeek}, int{PeriodTotal}, -1, 6, 1000}) {
        char line[StatBufferSize] = "old";
        EXPECT_FALSE(FormatStatLine(line, sizeof line, period, 2002, 3, 14, 5)) << period;
        EXPECT_STREQ("", line) << period;
        EXPECT_FALSE(HasStatFile(period)) << period;
    }
    EXPECT_TRUE(HasStatFile(PeriodDay));
    EXPECT_TRUE(HasStatFile(PeriodMonth));
    EXPECT_TRUE(HasStatFile(PeriodYear));
}

TEST(StatLines, ALineThatDoesNotFitIsRefusedWithoutOverrun) {
    char buffer[16];
    memset(buffer, '#', sizeof buffer);
    // "2002-03-14\t57\r\n" needs 15 bytes and its terminator.
    EXPECT_FALSE(FormatStatLine(buffer, 15, PeriodDay, 2002, 3, 14, 57));
    EXPECT_STREQ("", buffer);
    EXPECT_EQ('#', buffer[15]);
    EXPECT_TRUE(FormatStatLine(buffer, 16, PeriodDay, 2002, 3, 14, 57));
    EXPECT_FALSE(FormatStatLine(nullptr, 0, PeriodDay, 2002, 3, 14, 57));
}

TEST(StatFileNames, FolderBackslashNameDotTxt) {
    char name[StatBufferSize];
    ASSERT_TRUE(FormatStatFileName(name, sizeof name, "C:\\Program Files\\Tallywhirl", "Day"));
    EXPECT_STREQ("C:\\Program Files\\Tallywhirl\\Day.txt", name);
    ASSERT_TRUE(FormatStatFileName(name, sizeof name, "C:", "Year"));
    EXPECT_STREQ("C:\\Year.txt", name) << "a program in a drive's root writes there";
}

TEST(StatFileNames, AnEmptyFolderOrANameTooLongGivesNoFile) {
    char name[StatBufferSize] = "old";
    EXPECT_FALSE(FormatStatFileName(name, sizeof name, "", "Day"));
    EXPECT_STREQ("", name);
    EXPECT_FALSE(FormatStatFileName(name, sizeof name, nullptr, "Day"));

    // 246 characters + "\Month.txt" is 256: one too many for the buffer.
    std::string folder(246, 'f');
    EXPECT_FALSE(FormatStatFileName(name, sizeof name, folder.c_str(), "Month"));
    EXPECT_STREQ("", name);
    folder.pop_back();
    ASSERT_TRUE(FormatStatFileName(name, sizeof name, folder.c_str(), "Month"));
    EXPECT_EQ(255u, strlen(name));
}
