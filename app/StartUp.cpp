#include "app/StartUp.h"

#include "store/DataFolderLock.h"
#include "ui/ButtonContainer.h"
#include "foods/AdvancedSearch.h"
#include "foods/AdvancedSearchEdit.h"
#include "foods/DatabaseFood.h"
#include "recipes/DatabaseRecipes.h"
#include "recipes/RecipeCuisineEdit.h"
#include "recipes/RecipeCuisines.h"
#include "recipes/RecipeTypeEdit.h"
#include "recipes/RecipeTypes.h"
#include "ui/ErrorGuard.h"
#include "app/MainForm.h"
#include "seams/Messages.h"
#include "store/SchemaUpgrade.h"
#include "foods/FoodEdit.h"
#include "foods/Measurements.h"
#include "foods/NutrientValue.h"
#include "foods/FoodGroupEdit.h"
#include "foods/FoodGroups.h"
#include "foods/Preference.h"
#include "foods/SimpleSearch.h"
#include "recipes/IngredientEdit.h"
#include "recipes/RecipeEdit.h"
#include "recipes/RecipeNutrientValue.h"
#include "ui/TemplateDialog.h"

#include <QApplication>

#include <type_traits>

namespace {

template <typename T>
StartUpStep step(std::string instance, T*& global, std::function<T*()> make)
{
    return {std::move(instance), [&global, make] { global = make(); },
            [&global] {
                delete global;
                global = nullptr;
            },
            std::is_same_v<T, TDataModuleFoods> || std::is_same_v<T, TDataModuleRecipes>};
}

std::size_t created = 0;

} // namespace

const std::vector<StartUpStep>& startUpSteps()
{
    static const std::vector<StartUpStep> steps = {
        step<TFormMain>("FormMain", FormMain, [] { return new TFormMain; }),
        step<TFormTemplateDialog>("FormTemplateDialog", FormTemplateDialog, [] { return new TFormTemplateDialog; }),
        step<TDialogIngredientEdit>("DialogIngredientEdit", DialogIngredientEdit,
                                    [] { return new TDialogIngredientEdit; }),
        step<TDataModuleFoods>("DataModuleFoods", DataModuleFoods,
                               [] {
                                   auto* foods = new TDataModuleFoods;
                                   // Before the ingredient dialog binds: the main window's measure box is refreshed first.
                                   FormMain->followCurrentFood(*foods);
                                   return foods;
                               }),
        step<TDataModuleRecipes>("DataModuleRecipes", DataModuleRecipes,
                                 [] {
                                     auto* recipes = new TDataModuleRecipes(DataModuleFoods->tblNutrientPreference);
                                     DataModuleFoods->RecipePreferenceFilterHook = [] {
                                         DataModuleRecipes->ApplyNutrientPreferenceFilter();
                                     };
                                     DialogIngredientEdit->BindDataModules(*DataModuleFoods, *recipes);
                                     return recipes;
                                 }),
        step<TDialogSimpleSearch>("DialogSimpleSearch", DialogSimpleSearch, [] { return new TDialogSimpleSearch; }),
        step<TDialogFoodGroups>("DialogFoodGroups", DialogFoodGroups, [] { return new TDialogFoodGroups; }),
        step<TDialogFoodGroupEdit>("DialogFoodGroupEdit", DialogFoodGroupEdit, [] { return new TDialogFoodGroupEdit; }),
        step<TFormButtonContainer>("FormButtonContainer", FormButtonContainer, [] { return new TFormButtonContainer; }),
        step<TDialogFoodEdit>("DialogFoodEdit", DialogFoodEdit, [] { return new TDialogFoodEdit; }),
        step<TFormMeasurements>("FormMeasurements", FormMeasurements, [] { return new TFormMeasurements; }),
        step<TFormNutrientValue>("FormNutrientValue", FormNutrientValue, [] { return new TFormNutrientValue; }),
        step<TDialogFoodAdvancedSearchEdit>("DialogFoodAdvancedSearchEdit", DialogFoodAdvancedSearchEdit,
                                            [] { return new TDialogFoodAdvancedSearchEdit; }),
        step<TDialogFoodAdvancedSearch>("DialogFoodAdvancedSearch", DialogFoodAdvancedSearch,
                                        [] { return new TDialogFoodAdvancedSearch; }),
        step<TDialogRecipeTypes>("DialogRecipeTypes", DialogRecipeTypes, [] { return new TDialogRecipeTypes; }),
        step<TDialogRecipeCuisines>("DialogRecipeCuisines", DialogRecipeCuisines, [] { return new TDialogRecipeCuisines; }),
        step<TDialogRecipeTypeEdit>("DialogRecipeTypeEdit", DialogRecipeTypeEdit, [] { return new TDialogRecipeTypeEdit; }),
        step<TDialogRecipeCuisineEdit>("DialogRecipeCuisineEdit", DialogRecipeCuisineEdit,
                                       [] { return new TDialogRecipeCuisineEdit; }),
        step<TDialogRecipeEdit>("DialogRecipeEdit", DialogRecipeEdit, [] { return new TDialogRecipeEdit; }),
        step<TDialogPreference>("DialogPreference", DialogPreference, [] { return new TDialogPreference; }),
        step<TDialogRecipeNutrientValue>("DialogRecipeNutrientValue", DialogRecipeNutrientValue,
                                         [] { return new TDialogRecipeNutrientValue; }),
    };
    return steps;
}

void CreateApplicationObjects()
{
    const auto& steps = startUpSteps();
    try {
        for (created = 0; created < steps.size(); ++created)
            steps[created].create();
    } catch (...) {
        DestroyApplicationObjects();
        throw;
    }
    TFormTemplateDialog::SetMainWindow(FormMain);
}

void DestroyApplicationObjects()
{
    const auto& steps = startUpSteps();
    for (bool modules : {false, true})
        for (std::size_t i = created; i-- > 0;)
            if (steps[i].dataModule == modules)
                steps[i].destroy();
    created = 0;
}

int RunProgram()
{
    // Held until the windows and data modules are gone, so a next copy starts only
    // once this one has stored everything.
    const DataFolderLock lock("data");
    if (lock.state() == DataFolderLock::State::HeldByOther) {
        showError("Saporia is already running on this data folder.");
        return 0;
    }
    guarded([] {
        if (const std::string notice = prepareDataFolder("data"); !notice.empty())
            showMessage(notice);
        CreateApplicationObjects();
        FormMain->show();
        QApplication::exec();
    });
    guarded(DestroyApplicationObjects);
    return 0;
}
