// Files: which reader reads them, and a one-line reason for what cannot be read.

#include "exchange/RecipeReaders.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

class FileReading : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder_ = fs::temp_directory_path() / ("exchange-files-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed())
                                              + "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }

    fs::path write(const std::string& name, const std::string& bytes)
    {
        const fs::path path = folder_ / name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }

    fs::path folder_;
};

TEST_F(FileReading, ChoosesTheReaderByContentThenByExtension)
{
    const std::string json = R"({"@type":"Recipe","name":"From JSON","recipeIngredient":["1 egg"]})";
    EXPECT_EQ(readRecipeFile(write("a.jsonld", json)).recipes.at(0).name, "From JSON");
    // JSON saved under another name is still JSON.
    EXPECT_EQ(readRecipeFile(write("a.txt", json)).recipes.at(0).name, "From JSON");
    const std::string html = "<html><head><script type=\"application/ld+json\">" + json + "</script></head></html>";
    EXPECT_EQ(readRecipeFile(write("a.htm", html)).recipes.at(0).name, "From JSON");
    EXPECT_EQ(readRecipeFile(write("a.txt", "Toast\nIngredients\n1 slice bread\nMethod\nToast it.")).recipes.at(0).name,
              "Toast");
}

TEST_F(FileReading, ReadsTextInUtf16AndInAWindowsCodePage)
{
    using namespace std::string_literals;
    const std::string utf16 = "\xFF\xFET\0e\0a\0\n\0" "1\0 \0b\0a\0g\0"s;
    const RecipeReading fromUtf16 = readRecipeFile(write("tea.txt", utf16));
    ASSERT_TRUE(fromUtf16.ok()) << fromUtf16.problem;
    EXPECT_EQ(fromUtf16.recipes.front().ingredients.at(0).text, "1 bag");
    const RecipeReading fromWindows = readRecipeFile(write("puree.txt", "Pur\xE9\x65\n2 pommes\nM\xE9langer."));
    ASSERT_TRUE(fromWindows.ok()) << fromWindows.problem;
    EXPECT_EQ(fromWindows.recipes.front().name, "Pur\u00E9\x65");
}

TEST_F(FileReading, GivesOneLineReasonsForWhatIsNoRecipe)
{
    const auto problem = [](const fs::path& path) {
        const RecipeReading reading = readRecipeFile(path);
        EXPECT_FALSE(reading.ok());
        EXPECT_EQ(reading.problem.find('\n'), std::string::npos);
        return reading.problem;
    };
    EXPECT_EQ(problem(folder_), "Cannot read " + folder_.string() + ": a folder, not a file");
    EXPECT_EQ(problem(folder_ / "missing.html"), "Cannot read " + (folder_ / "missing.html").string() + ": no such file");
    const fs::path empty = write("empty.html", "");
    EXPECT_EQ(problem(empty), "Cannot read " + empty.string() + ": empty");
    const fs::path binary = write("photo.html", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16));
    EXPECT_EQ(problem(binary), "Cannot read " + binary.string() + ": binary data, not text");
    const fs::path truncated = write("cut.json", R"({"@type":"Recipe","name":"Cut o)");
    EXPECT_TRUE(problem(truncated).starts_with("Cannot read " + truncated.string() + ": broken JSON"));
    const fs::path noRecipe = write("about.html", "<html><body><p>About us</p></body></html>");
    EXPECT_EQ(problem(noRecipe), "No recipe found in " + noRecipe.string());
}

TEST_F(FileReading, RefusesAFileOver20MegabytesUnread)
{
    const fs::path big = folder_ / "big.html";
    {
        std::ofstream out(big, std::ios::binary);
        out << "<html>";
        out.seekp(static_cast<std::streamoff>(kMaxRecipeInputBytes));
        out << "</html>";
    }
    EXPECT_EQ(readRecipeFile(big).problem, "Cannot read " + big.string() + ": larger than 20 MB");
}

} // namespace
