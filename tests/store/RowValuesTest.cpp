#include "store/RowValues.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

TEST(RowValues, ResizingKeepsTheLeadingValuesAndAddsEmptyOnesWhileCopiesStayApart)
{
    RowValues row(std::vector<Value>{Value(std::int64_t{1001}), Value(std::string("Butter, salted with a long name"))});
    RowValues copy = row;
    row.resize(4);
    ASSERT_EQ(row.size(), 4u);
    EXPECT_EQ(std::get<std::int64_t>(row[0]), 1001);
    EXPECT_EQ(std::get<std::string>(row[1]), "Butter, salted with a long name");
    EXPECT_TRUE(isNull(row[2]) && isNull(row[3]));

    row[1] = Value(2.5);
    EXPECT_EQ(std::get<std::string>(copy[1]), "Butter, salted with a long name");
    row.resize(1);
    EXPECT_EQ(row.size(), 1u);
    EXPECT_EQ(std::get<std::int64_t>(row[0]), 1001);

    RowValues moved = std::move(copy);
    EXPECT_EQ(moved.size(), 2u);
    EXPECT_EQ(copy.size(), 0u); // NOLINT: a moved-from row is empty, and may be filled again
    copy = RowValues(3);
    EXPECT_EQ(copy.size(), 3u);
    EXPECT_EQ(RowValues().begin(), RowValues().end());
}
