#include "store/ProgramError.h"
#include "tools/SrReader.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <filesystem>
#include <fstream>

namespace {

TEST(SrLine, TildeTextAndCaretSeparatedNumbersAreSplitIntoFields)
{
    const SrRecord r = parseSrLine("~01001~^1^1^~pat (1\" sq, 1/3\" high)~^5.0^^", 7, "WEIGHT.txt", 1);
    ASSERT_EQ(r.size(), 7u);
    EXPECT_EQ(r[0].text, "01001");
    EXPECT_TRUE(r[0].present);
    EXPECT_EQ(r[3].text, "pat (1\" sq, 1/3\" high)");
    EXPECT_EQ(r[4].text, "5.0");
    EXPECT_FALSE(r[5].present);
    EXPECT_FALSE(r[6].present);
}

TEST(SrLine, EmptyTextIsPresentButEmptyAndEmptyNumberIsAbsent)
{
    const SrRecord r = parseSrLine("~~^^~x~", 3, "F.txt", 1);
    EXPECT_TRUE(r[0].present);
    EXPECT_EQ(r[0].text, "");
    EXPECT_FALSE(r[1].present);
    EXPECT_EQ(r[2].text, "x");
}

TEST(SrLine, CaretInsideTextDoesNotSplit)
{
    const SrRecord r = parseSrLine("~a^b~^2", 2, "F.txt", 1);
    EXPECT_EQ(r[0].text, "a^b");
    EXPECT_EQ(r[1].text, "2");
}

TEST(SrLine, Windows1252BytesBecomeUtf8)
{
    EXPECT_EQ(windows1252ToUtf8("\xb5g"), "\xc2\xb5g");                  // µg
    EXPECT_EQ(windows1252ToUtf8("Entr\xe9" "e"), "Entr\xc3\xa9" "e");     // Entrée
    EXPECT_EQ(windows1252ToUtf8("\x93q\x94"), "\xe2\x80\x9cq\xe2\x80\x9d"); // curly quotes
    EXPECT_EQ(windows1252ToUtf8("\x80"), "\xe2\x82\xac");                 // euro sign
}

TEST(SrLine, MalformedLinesNameFileAndLine)
{
    try {
        parseSrLine("~unterminated^1", 2, "FOOD_DES.txt", 17);
        FAIL() << "no error";
    } catch (const ProgramError& e) {
        EXPECT_STREQ(e.what(), "FOOD_DES.txt line 17: unterminated text in field 1");
    }
    EXPECT_THROW(parseSrLine("~a~^1", 3, "F.txt", 2), ProgramError);  // too few fields
    EXPECT_THROW(parseSrLine("~a~x^1", 2, "F.txt", 3), ProgramError); // text after the closing tilde
}

class SrFileTest : public ::testing::Test {
protected:
    std::filesystem::path write(const std::string& bytes)
    {
        path_ = std::filesystem::temp_directory_path() / ("sr-reader-" + std::to_string(::getpid()) + ".txt.gz");
        gzFile f = gzopen(path_.c_str(), "wb");
        gzwrite(f, bytes.data(), static_cast<unsigned>(bytes.size()));
        gzclose(f);
        return path_;
    }
    void TearDown() override { std::filesystem::remove(path_); }
    std::filesystem::path path_;
};

TEST_F(SrFileTest, ReadsGzippedCrlfRecordsAndCountsThem)
{
    SrFileReader reader(write("~0100~^~Dairy and Egg Products~\r\n~0200~^~Spices~\r\n").string(), 2);
    SrRecord record;
    ASSERT_TRUE(reader.next(record));
    EXPECT_EQ(record[1].text, "Dairy and Egg Products");
    ASSERT_TRUE(reader.next(record));
    EXPECT_EQ(record[0].text, "0200");
    EXPECT_FALSE(reader.next(record));
    EXPECT_EQ(reader.recordsRead(), 2u);
}

TEST_F(SrFileTest, MalformedRecordReportsItsLineNumber)
{
    SrFileReader reader(write("~0100~^~Dairy~\r\n~0200~\r\n").string(), 2);
    SrRecord record;
    ASSERT_TRUE(reader.next(record));
    try {
        reader.next(record);
        FAIL() << "no error";
    } catch (const ProgramError& e) {
        EXPECT_NE(std::string(e.what()).find(" line 2: "), std::string::npos) << e.what();
    }
}

TEST_F(SrFileTest, NumbersThatAreNotNumbersAreRefused)
{
    SrFileReader reader(write("~01001~^abc\r\n").string(), 2);
    SrRecord record;
    ASSERT_TRUE(reader.next(record));
    EXPECT_EQ(srInteger(record[0], reader), 1001);
    EXPECT_THROW(srNumber(record[1], reader), ProgramError);
}

} // namespace
