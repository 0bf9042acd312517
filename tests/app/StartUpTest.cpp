#include "tests/app/AppTestSupport.h"
#include "ui/ButtonContainer.h"
#include "foods/DatabaseFood.h"
#include "recipes/DatabaseRecipes.h"
#include "app/MainForm.h"
#include "foods/Preference.h"
#include "store/Database.h"
#include "store/SchemaSteps.h"
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

// Runs the program until its message loop has started once; returns whether the
// data modules could store changes while it ran.
bool runOnce()
{
    bool writable = false;
    QTimer::singleShot(0, [&] {
        writable = !DataModuleFoods->DatabaseFoods.readOnly();
        QApplication::quit();
    });
    EXPECT_EQ(RunProgram(), 0);
    return writable;
}

void makeOlder(const TestWorkingDirectory& dir, int version)
{
    dir.stored().revertLayoutTo(version);
}

TEST(DataFolderUpgrade, AnOlderFolderIsUpgradedAtStartUpAndSaidSoOnce)
{
    TestWorkingDirectory dir;
    makeOlder(dir, 0);
    const auto recipes = dir.stored().count(R"(SELECT count(*) FROM "Rescipe_ingredients.DB")");
    MessageRecorder messages;
    EXPECT_TRUE(runOnce());
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.messages()[0].kind, MessageKind::Notice);
    EXPECT_NE(messages.messages()[0].text.find("has upgraded the data file"), std::string::npos);
    EXPECT_EQ(dir.stored().count("PRAGMA user_version"), currentSchemaVersion());
    EXPECT_EQ(dir.stored().count(R"(SELECT count(*) FROM "Rescipe_ingredients.DB")"), recipes);
    EXPECT_TRUE(std::filesystem::exists(dir.databaseFile().string() + ".before-v0"));

    messages.clear();
    EXPECT_TRUE(runOnce());
    EXPECT_TRUE(messages.messages().empty());
}

TEST(DataFolderUpgrade, AFailedStepIsToldAndTheProgramDoesNotStartOnAHalfUpgradedFile)
{
    TestWorkingDirectory dir;
    makeOlder(dir, 1);
    // Another program's table in the way of the step's own.
    dir.stored().execute(R"(CREATE TABLE "Ingredient_Line.db" (Other TEXT))");
    const std::string before = contentsOf(dir.databaseFile());
    MessageRecorder messages;
    EXPECT_EQ(RunProgram(), 0);
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.messages()[0].kind, MessageKind::Error);
    EXPECT_NE(messages.messages()[0].text.find("could not upgrade the data file"), std::string::npos);
    EXPECT_NE(messages.messages()[0].text.find("saporia.sqlite.before-v1"), std::string::npos);
    EXPECT_EQ(FormMain, nullptr);
    EXPECT_EQ(contentsOf(dir.databaseFile()), before);
}

TEST(DataFolderUpgrade, AFileOfANewerSaporiaIsRefusedAndLeftUntouched)
{
    TestWorkingDirectory dir;
    dir.stored().execute("PRAGMA user_version = " + std::to_string(currentSchemaVersion() + 1));
    const std::string before = contentsOf(dir.databaseFile());
    MessageRecorder messages;
    EXPECT_EQ(RunProgram(), 0);
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.messages()[0].kind, MessageKind::Error);
    EXPECT_NE(messages.messages()[0].text.find("made by a newer Saporia"), std::string::npos);
    EXPECT_EQ(FormMain, nullptr);
    EXPECT_EQ(contentsOf(dir.databaseFile()), before);
}

TEST(ReadOnlyDataFolder, TheProgramSaysOnceThatItOpensTheDataReadOnlyAndWritesNothing)
{
    TestWorkingDirectory dir;
    makeOlder(dir, 0);
    const std::string before = contentsOf(dir.databaseFile());
    const ReadOnlyDataFolders readOnly;
    MessageRecorder messages;
    EXPECT_FALSE(runOnce());
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.messages()[0].kind, MessageKind::Notice);
    EXPECT_NE(messages.messages()[0].text.find("opens the data read-only: changes cannot be stored"), std::string::npos);
    EXPECT_EQ(contentsOf(dir.databaseFile()), before);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.dataFolder()), std::filesystem::directory_iterator()), 1);
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
