#include "tests/app/AppTestSupport.h"
#include "ui/ButtonContainer.h"
#include "foods/DatabaseFood.h"
#include "recipes/DatabaseRecipes.h"
#include "app/MainForm.h"
#include "foods/Preference.h"
#include "ui/TemplateDialog.h"

#include <QApplication>
#include <QTimer>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <fstream>
#include <iterator>

namespace {

// Another process's hold on the data folder, taken without the code under test.
class ForeignFolderLock {
public:
    explicit ForeignFolderLock(const std::filesystem::path& folder)
        : descriptor_(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC))
    {
    }
    ~ForeignFolderLock() { ::close(descriptor_); }
    bool tryLock() { return ::flock(descriptor_, LOCK_EX | LOCK_NB) == 0; }

private:
    int descriptor_;
};

std::string contentsOf(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(StartUp, ObjectsAreCreatedInTheirFixedOrder)
{
    std::vector<std::string> order;
    for (const auto& step : startUpSteps())
        order.push_back(step.instance);
    const std::vector<std::string> expected = {"FormMain", "FormTemplateDialog", "DialogIngredientEdit",
                                               "DataModuleFoods", "DataModuleRecipes", "DialogSimpleSearch",
                                               "DialogFoodGroups", "DialogFoodGroupEdit", "FormButtonContainer",
                                               "DialogFoodEdit", "FormMeasurements", "FormNutrientValue",
                                               "DialogFoodAdvancedSearchEdit", "DialogFoodAdvancedSearch",
                                               "DialogRecipeTypes", "DialogRecipeCuisines", "DialogRecipeTypeEdit",
                                               "DialogRecipeCuisineEdit", "DialogRecipeEdit", "DialogPreference",
                                               "DialogRecipeNutrientValue"};
    EXPECT_EQ(order, expected);
}

TEST_F(ProgramTest, EveryObjectExistsOnceAndTheMainWindowComesFirst)
{
    EXPECT_NE(FormMain, nullptr);
    EXPECT_NE(FormTemplateDialog, nullptr);
    EXPECT_NE(DataModuleFoods, nullptr);
    EXPECT_NE(DataModuleRecipes, nullptr);
    EXPECT_NE(FormButtonContainer, nullptr);
    EXPECT_NE(DialogPreference, nullptr);
    EXPECT_TRUE(messages.messages().empty());
}

TEST(StartUpFailure, AMissingTableShowsOneErrorAndEndsCleanly)
{
    TestWorkingDirectory dir;
    dir.stored().execute(R"(DROP TABLE "WEIGHT.db")");
    MessageRecorder messages;
    EXPECT_EQ(RunProgram(), 0);
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.messages()[0].kind, MessageKind::Error);
    EXPECT_EQ(messages.messages()[0].text, "Table does not exist: WEIGHT.db");
    EXPECT_EQ(FormMain, nullptr);
    EXPECT_EQ(DataModuleFoods, nullptr);
}

TEST(StartUpFailure, AMissingDataFolderShowsTheEngineErrorAndWritesNothing)
{
    TestWorkingDirectory dir(TestWorkingDirectory::Data::None);
    MessageRecorder messages;
    EXPECT_EQ(RunProgram(), 0);
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_NE(messages.messages()[0].text.find("does not exist"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(dir.dataFolder()));
}

TEST(SingleInstance, ASecondStartOnABusyDataFolderSaysSoAndTouchesNothing)
{
    TestWorkingDirectory dir;
    ForeignFolderLock running(dir.dataFolder());
    ASSERT_TRUE(running.tryLock());
    const std::string before = contentsOf(dir.databaseFile());
    const auto modified = std::filesystem::last_write_time(dir.databaseFile());

    MessageRecorder messages;
    EXPECT_EQ(RunProgram(), 0);
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.messages()[0].kind, MessageKind::Error);
    EXPECT_EQ(messages.messages()[0].text, "Saporia is already running on this data folder.");
    EXPECT_EQ(FormMain, nullptr);
    EXPECT_EQ(DataModuleFoods, nullptr);
    EXPECT_EQ(contentsOf(dir.databaseFile()), before);
    EXPECT_EQ(std::filesystem::last_write_time(dir.databaseFile()), modified);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.dataFolder()), std::filesystem::directory_iterator()), 1);
}

TEST(SingleInstance, TheRunningProgramHoldsItsFolderAndFreesItWhenItEnds)
{
    TestWorkingDirectory dir;
    MessageRecorder messages;
    bool lockedWhileRunning = false;
    QTimer::singleShot(0, [&] {
        ForeignFolderLock second(dir.dataFolder());
        lockedWhileRunning = !second.tryLock();
        QApplication::quit();
    });
    EXPECT_EQ(RunProgram(), 0);
    EXPECT_TRUE(lockedWhileRunning);
    EXPECT_TRUE(messages.messages().empty());
    EXPECT_TRUE(ForeignFolderLock(dir.dataFolder()).tryLock());
}

} // namespace
