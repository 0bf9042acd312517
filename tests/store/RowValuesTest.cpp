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

TEST(RowValues, RowsSharingSlabsOutliveTheirReaderAndEachOtherInAnyOrder)
{
    std::vector<RowValues> rows;
    {
        RowReader reader(3, 0);
        for (int i = 0; i < 100; ++i) {
            rows.push_back(reader.next());
            rows.back()[0] = Value(std::int64_t{i});
            rows.back()[2] = Value(std::string(40, static_cast<char>('a' + i % 26)));
        }
    }
    // A row kept from a slab whose other rows are gone, a copied row and a resized
    // one stay whole (the sanitizers see any block freed too early or twice).
    RowValues kept = std::move(rows[37]);
    RowValues copied = rows[80];
    rows[5].resize(5);
    rows.erase(rows.begin() + 10, rows.begin() + 60);
    rows.clear();
    EXPECT_EQ(std::get<std::int64_t>(kept[0]), 37);
    EXPECT_EQ(std::get<std::string>(kept[2]), std::string(40, 'a' + 37 % 26));
    EXPECT_EQ(std::get<std::int64_t>(copied[0]), 80);
    EXPECT_TRUE(isNull(copied[1]));
}
