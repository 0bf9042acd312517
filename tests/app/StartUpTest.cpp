#include "AppTestSupport.h"
#include "ui/ButtonContainer.h"
#include "foods/DatabaseFood.h"
#include "recipes/DatabaseRecipes.h"
#include "app/MainForm.h"
#include "foods/Preference.h"
#include "ui/TemplateDialog.h"

#include <QApplication>

namespace {

TEST(StartUp, ObjectsAreCreatedInTheirFixedOrder)
{
    std::vector<std::string> order;
    for (const auto& step : startUpSteps())
        order.push_back(step.instance);
    const std::vector<std::string> expected = {"FormMain", "FormTemplateDialog", "DataModuleFoods", "DataModuleRecipes",
                                               "DialogSimpleSearch", "DialogFoodGroups", "DialogFoodGroupEdit",
                                               "FormButtonContainer", "DialogRecipeTypes", "DialogRecipeCuisines",
                                               "DialogRecipeTypeEdit", "DialogRecipeCuisineEdit", "DialogPreference"};
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

} // namespace
