// saporia-window-shots FOLDER: renders the main window on each page and every
// dialog offscreen into PNG files, for review, with some of their message boxes.
// Runs from a folder that holds data/; stores nothing (every dialog is cancelled).

#include "app/InfoBasePage.h"
#include "app/MainForm.h"
#include "app/StartUp.h"
#include "cookbook/PrintPreview.h"
#include "cookbook/RecipeCard.h"
#include "cookbook/ScaleRecipeDialog.h"
#include "cookbook/ShoppingListDialog.h"
#include "facts/LabelPainter.h"
#include "facts/NutritionFacts.h"
#include "foods/AdvancedSearch.h"
#include "foods/AdvancedSearchEdit.h"
#include "foods/DatabaseFood.h"
#include "foods/FoodEdit.h"
#include "foods/FoodGroupEdit.h"
#include "foods/FoodGroups.h"
#include "foods/Preference.h"
#include "foods/SimpleSearch.h"
#include "recipes/DatabaseRecipes.h"
#include "store/SchemaUpgrade.h"
#include "store/Sqlite.h"
#include "recipes/RecipeCuisineEdit.h"
#include "recipes/RecipeCuisines.h"
#include "recipes/RecipeTypeEdit.h"
#include "recipes/RecipeTypes.h"
#include "ui/AdvButton.h"
#include "recipes/IngredientEdit.h"
#include "recipes/PasteIngredients.h"
#include "recipes/RecipeEdit.h"
#include "recipes/RecipeSearchDialogs.h"
#include "recipes/RecipeNutrientValue.h"
#include "ui/DataControls.h"
#include "ui/ErrorGuard.h"
#include "ui/Fonts.h"
#include "ui/ListLookupCombo.h"
#include "ui/MessageBoxes.h"
#include "ui/TemplateDialog.h"

#include <QComboBox>
#include <QScrollArea>
#include <QScrollBar>
#include <QTreeWidget>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>

#include <cstdio>

namespace {

QDir outputFolder;
int written = 0;

void save(QWidget& window, const QString& name)
{
    window.grab().save(outputFolder.filePath(name + ".png"));
    ++written;
}

// Shows `dialog` as a modal run would, saves it, and cancels it.
int saveAndCancel(TFormTemplateDialog& dialog, const QString& name)
{
    dialog.show();
    TApplication::processEvents();
    save(dialog, name);
    dialog.CloseCancel();
    return dialog.StoredCode();
}

// The food edit wizard over Butter, salted: each page, a value being added on the
// second and its first measure being edited on the third. Nothing is stored.
void foodEditWizard()
{
    DataModuleFoods->QueryAllFoods();
    DataModuleFoods->ShowSearchResults();
    DataModuleFoods->qrySearchFoods.locate("NDB_No", Value(std::int64_t{1001}));
    DataModuleFoods->BeginEditFood();
    TFormTemplateDialog::ShowModalHook = [](TFormTemplateDialog& dialog) {
        if (&dialog != DialogFoodEdit)
            return saveAndCancel(dialog, dialog.objectName() == "FormMeasurements" ? "measurements-dialog"
                                                                                     : "nutrient-value-dialog");
        dialog.show();
        TApplication::processEvents();
        save(dialog, "food-edit-1-details");
        DialogFoodEdit->BtnNextClick();
        TApplication::processEvents();
        save(dialog, "food-edit-2-nutrients");
        DataModuleFoods->tblNutrientDef.locate("Nutr_No", Value(std::int64_t{209})); // starch, which butter lacks
        DialogFoodEdit->GraphicButton2Click();
        DialogFoodEdit->BtnNextClick();
        TApplication::processEvents();
        save(dialog, "food-edit-3-measures");
        DialogFoodEdit->BtnEditMeasureClick();
        dialog.CloseCancel();
        return dialog.StoredCode();
    };
    const int result = DialogFoodEdit->ShowModal();
    TFormTemplateDialog::ShowModalHook = nullptr;
    if (result == 1)
        DataModuleFoods->PostEditedFood();
    else
        DataModuleFoods->CancelEditedFood();
}

// Shows `dialog` as its caller would, lets `prepare` act as the user, saves the
// picture and cancels.
void shoot(TFormTemplateDialog& dialog, const QString& name, const std::function<void()>& prepare = {})
{
    TFormTemplateDialog::ShowModalHook = [&](TFormTemplateDialog& shown) {
        shown.show();
        TApplication::processEvents();
        if (prepare)
            prepare();
        TApplication::processEvents();
        save(shown, name);
        shown.CloseCancel();
        return shown.StoredCode();
    };
    dialog.ShowModal();
    TFormTemplateDialog::ShowModalHook = nullptr;
}

void foodDialogs()
{
    shoot(*DialogSimpleSearch, "simple-search-dialog",
          [] { QTest::keyClicks(DialogSimpleSearch->EditSearchSimple, "cheese"); });

    DataModuleFoods->tblFoodGroups2.setRecNo(3);
    shoot(*DialogFoodGroups, "food-groups-dialog");

    DataModuleFoods->BeginNewFoodGroup();
    shoot(*DialogFoodGroupEdit, "food-group-edit-dialog",
          [] { QTest::keyClicks(DialogFoodGroupEdit->DBEdit1, "Home Baking"); });
    DataModuleFoods->CancelNewFoodGroup();
}

// The Foods page: Butter, salted with its tablespoon, a group listed, a keyword
// searched, the tree's menu open and the search notice up. The keyword leaves
// the history as it was.
void foodsPage()
{
    FormMain->BtnFoods->SetDown(true);
    FormMain->BtnFoodsClick();
    DataModuleFoods->qrySearchFoods.locate("NDB_No", Value(std::int64_t{1001}));
    FormMain->ComboBoxMeasures->setCurrentIndex(FormMain->ComboBoxMeasures->findText("tbsp"));
    TApplication::processEvents();
    save(*FormMain, "main-window-foods");

    FormMain->TreeViewFoods->expandItem(FormMain->NodeFoodGroups);
    FormMain->TreeViewFoods->Select(TNavigationTree::ChildByText(FormMain->NodeFoodGroups, "Dairy and Egg Products"));
    TApplication::processEvents();
    save(*FormMain, "main-window-foods-group");

    const bool known = DataModuleFoods->tblFoodSimpleSearch.locate("Keyword", Value(std::string("cheese")), true);
    TFormTemplateDialog::ShowModalHook = [](TFormTemplateDialog& dialog) {
        dialog.show();
        QTest::keyClicks(DialogSimpleSearch->EditSearchSimple, "cheese");
        DialogSimpleSearch->ButtonSearchClick();
        return dialog.StoredCode();
    };
    FormMain->TreeViewFoods->Select(TNavigationTree::ChildByText(FormMain->NodeFoodSimpleSearch, "New Search"));
    TFormTemplateDialog::ShowModalHook = nullptr;
    FormMain->TreeViewFoods->collapseItem(FormMain->NodeFoodGroups);
    FormMain->TreeViewFoods->expandItem(FormMain->NodeFoodSimpleSearch);
    TApplication::processEvents();
    save(*FormMain, "main-window-foods-keyword");

    QTreeWidgetItem* node = FormMain->TreeViewFoods->Selected();
    FormMain->UpdateFoodTreeMenu(node);
    QImage picture = FormMain->grab().toImage();
    const QRect nodeBox = FormMain->TreeViewFoods->visualItemRect(node);
    QMenu& menu = *FormMain->PopupMenuFoodTree;
    menu.ensurePolished();
    menu.adjustSize();
    // Where the window system would open it: at the pointer, kept inside the window.
    QPoint at = FormMain->TreeViewFoods->viewport()->mapTo(FormMain, nodeBox.center());
    at.setX(std::min(at.x(), FormMain->width() - menu.width()));
    at.setY(std::min(at.y(), FormMain->height() - menu.height()));
    QPainter painter(&picture);
    painter.drawPixmap(at, menu.grab());
    painter.end();
    picture.save(outputFolder.filePath("main-window-foods-menu.png"));
    ++written;

    FormMain->PanelSearching->show();
    save(*FormMain, "main-window-foods-searching");
    FormMain->PanelSearching->hide();

    if (!known && DataModuleFoods->tblFoodSimpleSearch.locate("Keyword", Value(std::string("cheese")), true))
        DataModuleFoods->tblFoodSimpleSearch.deleteRecord();
    FormMain->RefreshSimpleSearchNodes();
}

// Saves the first message box shown while it lives, centred over the window it
// belongs to, as the user would see it.
class MessageShot : public MessageSink {
public:
    MessageShot(QWidget& owner, QString name) : owner_(owner), name_(std::move(name)), previous_(setMessageSink(this)) {}
    ~MessageShot() override { setMessageSink(previous_); }
    MessageShot(const MessageShot&) = delete;
    MessageShot& operator=(const MessageShot&) = delete;

    bool show(MessageKind kind, const std::string& caption, const std::string& text) override
    {
        if (name_.isEmpty())
            return false;
        auto box = MessageBoxes::build(kind, caption, text);
        box->show();
        TApplication::processEvents();
        QPixmap picture = owner_.grab();
        const QPixmap boxPicture = box->grab();
        QPainter painter(&picture);
        const QRect at(QPoint((picture.width() - boxPicture.width()) / 2, (picture.height() - boxPicture.height()) / 2),
                       boxPicture.size());
        painter.drawPixmap(at.topLeft(), boxPicture);
        painter.setPen(Qt::darkGray);
        painter.drawRect(at.adjusted(-1, -1, 0, 0));
        painter.end();
        picture.save(outputFolder.filePath(name_ + ".png"));
        ++written;
        name_.clear();
        return false;
    }

private:
    QWidget& owner_;
    QString name_;
    MessageSink* previous_;
};

// The Recipes page: all recipes with the first current and each tab in front
// once, a cuisine listed and a type listed.
void recipesPage()
{
    FormMain->BtnRecipes->SetDown(true);
    FormMain->BtnRecipesClick();
    TNavigationTree* tree = FormMain->TreeViewRecipes;
    tree->Select(FormMain->NodeViewAllRecipes);
    DataModuleRecipes->dscDisplayRecipes.dataSet()->first();
    const std::pair<QWidget*, const char*> tabs[] = {{FormMain->TabInfo, "info"},
                                                     {FormMain->TabIngredients, "ingredients"},
                                                     {FormMain->TabProcedure, "procedures"},
                                                     {FormMain->TabTypes, "types"},
                                                     {FormMain->TabSource, "source"}};
    for (const auto& [tab, name] : tabs) {
        FormMain->PageControlRecipe->setCurrentWidget(tab);
        TApplication::processEvents();
        save(*FormMain, QString("main-window-recipes-") + name);
    }
    FormMain->PageControlRecipe->setCurrentWidget(FormMain->TabIngredients);

    tree->expandItem(FormMain->NodeCuisines);
    tree->Select(TNavigationTree::ChildByText(FormMain->NodeCuisines, "Mediterranean"));
    TApplication::processEvents();
    save(*FormMain, "main-window-recipes-cuisine");
    tree->collapseItem(FormMain->NodeCuisines);

    tree->expandItem(FormMain->NodeRecipeTypes);
    tree->Select(TNavigationTree::ChildByText(FormMain->NodeRecipeTypes, "Dinner"));
    TApplication::processEvents();
    save(*FormMain, "main-window-recipes-type");
    tree->collapseItem(FormMain->NodeRecipeTypes);

    tree->Select(FormMain->NodeViewAllRecipes);
}

// The recipe searches: the keyword dialog and its result, the rule editor over a
// new search on three of its pages, its result with recipes left out, and the list.
void recipeSearches()
{
    TNavigationTree* tree = FormMain->TreeViewRecipes;
    tree->expandItem(FormMain->NodeRecipeSimpleSearch);
    TFormTemplateDialog::ShowModalHook = [](TFormTemplateDialog& dialog) {
        dialog.show();
        TApplication::processEvents();
        DialogRecipeSimpleSearch->EditSearchSimple->setText("olive oil");
        TApplication::processEvents();
        save(dialog, "recipe-simple-search-dialog");
        DialogRecipeSimpleSearch->ButtonSearchClick();
        return dialog.StoredCode();
    };
    tree->Select(FormMain->NodeRecipeSimpleSearch->child(0));
    TFormTemplateDialog::ShowModalHook = nullptr;
    TApplication::processEvents();
    save(*FormMain, "main-window-recipes-keyword");

    tree->expandItem(FormMain->NodeRecipeAdvancedSearch);
    TDialogRecipeAdvancedSearchEdit* editor = nullptr;
    TFormTemplateDialog::ShowModalHook = [&](TFormTemplateDialog& dialog) {
        editor = DialogRecipeAdvancedSearchEdit;
        dialog.show();
        TApplication::processEvents();
        editor->dbedtSearchName->setText("Light dinners, ready in an hour");
        emit editor->dbedtSearchName->textEdited(editor->dbedtSearchName->text());
        editor->SetRuleKind(TDialogRecipeAdvancedSearchEdit::TimeRule);
        editor->EditNumber[2]->setText("60");
        editor->BtnAddRuleClick();
        editor->SetRuleKind(TDialogRecipeAdvancedSearchEdit::EnergyRule);
        editor->ComboBoxCondition[1]->setCurrentText(">=");
        editor->EditNumber[1]->setText("20");
        editor->BtnAddRuleClick();
        editor->SetRuleKind(TDialogRecipeAdvancedSearchEdit::NutrientRule);
        DataModuleFoods->tblNutrientDef.locate("Nutr_No", Value(std::int64_t{208}));
        editor->ComboBoxCondition[0]->setCurrentText("<");
        editor->EditNumber[0]->setText("600");
        editor->BtnAddRuleClick();
        TApplication::processEvents();
        save(dialog, "recipe-search-edit-1-nutrient");
        editor->SetRuleKind(TDialogRecipeAdvancedSearchEdit::CuisineRule);
        for (int row = 0; row < editor->ListCuisines->count(); ++row)
            if (editor->ListCuisines->item(row)->text() != "American")
                editor->ListCuisines->item(row)->setCheckState(Qt::Checked);
        TApplication::processEvents();
        save(dialog, "recipe-search-edit-2-cuisine");
        editor->SetRuleKind(TDialogRecipeAdvancedSearchEdit::FoodRule);
        editor->EditFoodFilter->setText("spinach, raw");
        editor->ListFoods->setCurrentRow(0);
        TApplication::processEvents();
        save(dialog, "recipe-search-edit-3-food");
        editor->SetRuleKind(TDialogRecipeAdvancedSearchEdit::CuisineRule);
        editor->BtnAddRuleClick();
        editor->BtnOkClick();
        return dialog.StoredCode();
    };
    tree->Select(FormMain->NodeRecipeAdvancedSearch->child(0));
    TFormTemplateDialog::ShowModalHook = nullptr;
    TApplication::processEvents();
    save(*FormMain, "main-window-recipes-saved-search");
    shoot(*DialogRecipeAdvancedSearch, "recipe-searches-dialog");

    // The data folder is the user's: the search and the keyword go again.
    RecipeSearches& searches = DataModuleRecipes->Searches;
    if (searches.tblRecipeAdvancedSearch.locate("SQL Name", Value(std::string("Light dinners, ready in an hour")))) {
        while (!searches.tblRecipeSQLRules.isEmpty())
            searches.tblRecipeSQLRules.deleteRecord();
        searches.tblRecipeAdvancedSearch.deleteRecord();
    }
    if (searches.tblRecipeSimpleSearch.locate("Keyword", Value(std::string("olive oil"))))
        searches.tblRecipeSimpleSearch.deleteRecord();
    searches.ApplySearchEdits();
    DataModuleRecipes->DatabaseRecipe.applyUpdates({&searches.tblRecipeSimpleSearch});
    searches.tblRecipeSimpleSearch.commitUpdates();
    tree->Select(FormMain->NodeViewAllRecipes);
}

// The list of saved searches with a few in it, then the rule editor over a new
// one with three rules, on each of its pages, and the message a value that is no
// number gets. Everything is dropped afterwards.
void advancedSearchDialogs()
{
    TDataModuleFoods& foods = *DataModuleFoods;
    TDialogFoodAdvancedSearchEdit& editor = *DialogFoodAdvancedSearchEdit;
    for (const char* name : {"Cheese with more than 25 g protein", "Fruit low in sugar", "Low-sodium vegetables",
                             "Whole grains rich in fibre"}) {
        foods.BeginNewRuleGroup();
        foods.tblFoodAdvancedSearch.fieldByName("SQL Name").setAsString(name);
        foods.PostRuleGroup();
    }
    foods.tblFoodAdvancedSearch.setRecNo(2);
    shoot(*DialogFoodAdvancedSearch, "advanced-search-dialog");

    foods.BeginNewRuleGroup();
    TFormTemplateDialog::ShowModalHook = [&](TFormTemplateDialog& dialog) {
        dialog.show();
        TApplication::processEvents();
        editor.dbedtRuleGroupName->setText("Dairy: high protein, low fat");
        emit editor.dbedtRuleGroupName->textEdited(editor.dbedtRuleGroupName->text());
        editor.SetItemIndex(1);
        editor.dbLookupComboBoxFoodGroup->SetKeyValue(Value(std::int64_t{100}));
        editor.GraphicButton2Click();
        editor.SetItemIndex(2);
        foods.tblNutrientDef.locate("Nutr_No", Value(std::int64_t{203}));
        editor.ComboBoxCondition->setEditText(">");
        editor.edtValue->setText("20");
        editor.GraphicButton2Click();
        foods.tblNutrientDef.locate("Nutr_No", Value(std::int64_t{204}));
        editor.ComboBoxCondition->setEditText("<");
        editor.edtValue->setText("5");
        editor.GraphicButton2Click();
        TApplication::processEvents();
        save(dialog, "advanced-search-edit-3-nutrient");
        editor.SetItemIndex(1);
        TApplication::processEvents();
        save(dialog, "advanced-search-edit-2-food-group");
        editor.SetItemIndex(0);
        editor.edtSearchFoodName->setText("cheese");
        TApplication::processEvents();
        save(dialog, "advanced-search-edit-1-food-name");
        editor.SetItemIndex(2);
        editor.edtValue->setText("lots");
        {
            MessageShot shot(dialog, "advanced-search-edit-message");
            editor.GraphicButton2Click();
        }
        dialog.CloseCancel();
        return dialog.StoredCode();
    };
    editor.ShowModal();
    TFormTemplateDialog::ShowModalHook = nullptr;
    foods.CancelRuleGroup();
    foods.CancelRuleGroupEdits();
}

void recipeDialogs()
{
    shoot(*DialogRecipeTypes, "recipe-types-dialog");
    shoot(*DialogRecipeCuisines, "recipe-cuisines-dialog");

    DataModuleRecipes->tblRecipeTypes2.append();
    shoot(*DialogRecipeTypeEdit, "recipe-type-edit-dialog",
          [] { QTest::keyClicks(DialogRecipeTypeEdit->DBEdit1, "Weeknight Suppers"); });
    DataModuleRecipes->tblRecipeTypes2.cancel();
    DataModuleRecipes->tblRecipeCuisine2.append();
    shoot(*DialogRecipeCuisineEdit, "recipe-cuisine-edit-dialog",
          [] { QTest::keyClicks(DialogRecipeCuisineEdit->DBEdit1, "Georgian"); });
    DataModuleRecipes->tblRecipeCuisine2.cancel();

    const auto refusal = MessageBoxes::build(MessageKind::Notice, captionOf(MessageKind::Notice),
                                             "Can't Delete a type with recipe items in it...\n Delete Recipe(s) First!!");
    refusal->show();
    TApplication::processEvents();
    save(*refusal, "recipe-type-in-use-refusal");
}

// The ingredient dialog over a new ingredient of a new recipe: a typed line read
// and its link proposed; then Butter, salted linked by 1.5 tbsp, then 125 g in
// grams, then its filter menu open. Nothing is stored.
void ingredientDialog()
{
    DataModuleFoods->QueryAllFoods();
    DataModuleFoods->ShowSearchResults();
    DataModuleRecipes->BeginNewRecipe();
    RecordSet& ingredients = DataModuleRecipes->tblRecipeIngredientEdit;
    ingredients.append();
    shoot(*DialogIngredientEdit, "ingredient-edit-line-proposal", [] {
        TDialogIngredientEdit& dialog = *DialogIngredientEdit;
        dialog.EditIngredientLine->setText(QStringLiteral("3 tbsp unsalted butter, melted"));
        dialog.ReadIngredientLine();
    });
    ingredients.cancel(); // the shots below start on an empty row
    DataModuleFoods->QueryAllFoods();
    ingredients.append();
    shoot(*DialogIngredientEdit, "ingredient-edit-by-measure", [] {
        TDialogIngredientEdit& dialog = *DialogIngredientEdit;
        QTest::keyClicks(dialog.DBEdit2, "Butter, melted");
        QTest::keyClicks(dialog.DBEdit1, "2");
        QTest::keyClicks(dialog.DBEdit3, "tablespoons");
        DataModuleFoods->qrySearchFoods.locate("NDB_No", Value(std::int64_t{1001}));
        dialog.rdByMeasure->click();
        dialog.ComboBoxMeasures->setCurrentIndex(dialog.ComboBoxMeasures->findText("tbsp"));
        dialog.EditAmount->setText("1.5");
        dialog.btnAddLinkIngredientClick();
    });
    shoot(*DialogIngredientEdit, "ingredient-edit-in-grams", [] {
        TDialogIngredientEdit& dialog = *DialogIngredientEdit;
        dialog.rdInGram->click();
        dialog.EditAmount->setText("125");
        dialog.btnAddLinkIngredientClick();
    });
    TFormTemplateDialog::ShowModalHook = [](TFormTemplateDialog& shown) {
        shown.show();
        TApplication::processEvents();
        DialogIngredientEdit->SpeedButton1Click();
        TApplication::processEvents();
        // The menu is a window of its own: drawn over the dialog where it opened.
        QPixmap picture = shown.grab();
        QMenu* menu = DialogIngredientEdit->PopupMenu1;
        QPainter painter(&picture);
        painter.drawPixmap(shown.mapFromGlobal(menu->pos()), menu->grab());
        painter.end();
        picture.save(outputFolder.filePath("ingredient-edit-filter-menu.png"));
        ++written;
        menu->hide();
        shown.CloseCancel();
        return shown.StoredCode();
    };
    DialogIngredientEdit->ShowModal();
    TFormTemplateDialog::ShowModalHook = nullptr;
    ingredients.cancel();
    DataModuleRecipes->CancelNewRecipe();
}

// The recipe wizard over the first starter recipe, its totals worked out: each
// page, and a nutrient total being added on the fifth. Nothing is stored.
void recipeWizard()
{
    DataModuleRecipes->ShowAllRecipes();
    DataModuleRecipes->tblDispalyRecipesAll.first();
    DataModuleRecipes->BeginEditRecipe();
    TFormTemplateDialog::ShowModalHook = [](TFormTemplateDialog& dialog) {
        if (&dialog != DialogRecipeEdit)
            return saveAndCancel(dialog, "recipe-nutrient-value-dialog");
        dialog.show();
        TDialogRecipeEdit& wizard = *DialogRecipeEdit;
        const char* pages[] = {"recipe-edit-1-info", "recipe-edit-2-ingredients", "recipe-edit-3-procedure",
                               "recipe-edit-4-types", "recipe-edit-5-nutrients", "recipe-edit-6-source"};
        for (int page = 0; page < 6; ++page) {
            if (page == 4) {
                wizard.GraphicButton6Click();
                // Starch, which no ingredient food of the recipe carries.
                DataModuleFoods->tblNutrientDef.locate("Nutr_No", Value(std::int64_t{209}));
                wizard.GraphicButton3Click();
            }
            TApplication::processEvents();
            save(dialog, pages[page]);
            wizard.BtnNextClick();
        }
        dialog.CloseCancel();
        return dialog.StoredCode();
    };
    const int result = DialogRecipeEdit->ShowModal();
    TFormTemplateDialog::ShowModalHook = nullptr;
    if (result == 1)
        DataModuleRecipes->PostEditedRecipe();
    else
        DataModuleRecipes->CancelEditedRecipe();
}

// A new recipe with a block of lines pasted into the wizard: the paste dialog,
// then the ingredients read and linked. Nothing is stored.
void recipeWizardPaste()
{
    DataModuleRecipes->BeginNewRecipe();
    TFormTemplateDialog::ShowModalHook = [](TFormTemplateDialog& dialog) {
        TDialogRecipeEdit& wizard = *DialogRecipeEdit;
        if (&dialog == wizard.PasteDialog) {
            dialog.show();
            wizard.PasteDialog->MemoLines->setPlainText(
                QStringLiteral("For the shortbread:\n1 ½ cups (190 g) all-purpose flour\n½ cup (113 g) butter, softened\n"
                               "¼ cup granulated sugar\n1 large egg yolk\n1 pinch of salt\nZest of 1 lemon"));
            TApplication::processEvents();
            save(dialog, "recipe-paste-ingredients-dialog");
            dialog.CloseOk();
            return dialog.StoredCode();
        }
        dialog.show();
        wizard.DBEditName->setText(QStringLiteral("Lemon shortbread"));
        wizard.BtnNextClick();
        wizard.BtnPasteClick();
        TApplication::processEvents();
        save(dialog, "recipe-edit-2-after-paste");
        dialog.CloseCancel();
        return dialog.StoredCode();
    };
    DialogRecipeEdit->ShowModal();
    TFormTemplateDialog::ShowModalHook = nullptr;
    DataModuleRecipes->CancelNewRecipe();
}

// A saved recipe page imported for review (the first two wizard pages), and the
// export dialog over the recipe list. Nothing is stored.
void recipeTransfer()
{
    QTemporaryDir folder;
    const QString page = folder.filePath(QStringLiteral("banana-bread.html"));
    QFile file(page);
    file.open(QIODevice::WriteOnly);
    file.write(R"(<html><head><title>Banana Bread | The Test Kitchen</title>
<script type="application/ld+json">{"@context": "https://schema.org", "@type": "Recipe", "name": "Banana Bread",
 "recipeYield": "10 slices", "prepTime": "PT15M", "cookTime": "PT1H", "recipeCuisine": "Homestyle",
 "recipeCategory": ["Breads"], "author": {"@type": "Person", "name": "The Test Kitchen"},
 "recipeIngredient": ["2 cups all-purpose flour", "1 tsp baking soda", "1/4 tsp salt", "1/2 cup butter",
  "3/4 cup brown sugar", "2 eggs, beaten", "2 1/3 cups mashed overripe bananas", "1 handful of love"],
 "recipeInstructions": [{"@type": "HowToStep", "text": "Preheat the oven to 175 C."},
  {"@type": "HowToStep", "text": "Cream the butter and sugar, add the eggs and bananas, then the flour."},
  {"@type": "HowToStep", "text": "Bake for an hour."}]}</script></head><body></body></html>)");
    file.close();
    const auto previousOpen = RecipeFileDialogs::OpenHook;
    RecipeFileDialogs::OpenHook = [page](QWidget*) { return page; };
    TFormTemplateDialog::ShowModalHook = [](TFormTemplateDialog& dialog) {
        dialog.show();
        TApplication::processEvents();
        save(dialog, QStringLiteral("recipe-import-1-review"));
        DialogRecipeEdit->BtnNextClick();
        TApplication::processEvents();
        save(dialog, QStringLiteral("recipe-import-2-ingredients"));
        dialog.CloseCancel();
        return dialog.StoredCode();
    };
    FormMain->BtnImportRecipeClick();
    RecipeFileDialogs::OpenHook = previousOpen;

    DataModuleRecipes->ShowAllRecipes();
    TFormTemplateDialog::ShowModalHook = [](TFormTemplateDialog& dialog) {
        return saveAndCancel(dialog, QStringLiteral("recipe-export-dialog"));
    };
    FormMain->BtnExportRecipesClick();
    TFormTemplateDialog::ShowModalHook = nullptr;
}

// The scale dialog over Chicken and Rice, the scaled recipe under review, and a
// shopping list of two recipes. Nothing is stored.
void kitchenTools()
{
    DataModuleRecipes->ShowAllRecipes();
    RecordSet& shown = *DataModuleRecipes->dscDisplayRecipes.dataSet();
    shown.locate("Recipe Name", Value(std::string("Chicken and Rice")));
    TFormTemplateDialog::ShowModalHook = [](TFormTemplateDialog& dialog) {
        dialog.show();
        TApplication::processEvents();
        if (&dialog == DialogRecipeEdit) {
            DialogRecipeEdit->BtnNextClick();
            TApplication::processEvents();
            save(dialog, QStringLiteral("recipe-scaled-review"));
            dialog.CloseCancel();
            return dialog.StoredCode();
        }
        auto& scaler = dynamic_cast<TDialogScaleRecipe&>(dialog);
        scaler.EditServes->setText(QStringLiteral("6"));
        TApplication::processEvents();
        save(dialog, QStringLiteral("scale-recipe-dialog"));
        scaler.BtnOkClick();
        return dialog.StoredCode();
    };
    FormMain->BtnScaleRecipeClick();

    TFormTemplateDialog::ShowModalHook = [](TFormTemplateDialog& dialog) {
        auto& shopping = dynamic_cast<TDialogShoppingList&>(dialog);
        for (int row = 0; row < shopping.GridRecipes->rowCount(); ++row)
            if (shopping.GridRecipes->item(row, 0)->text() == QStringLiteral("Garden Salad"))
                shopping.GridRecipes->item(row, 0)->setCheckState(Qt::Checked);
        shopping.TreeList->topLevelItem(0)->child(0)->setCheckState(0, Qt::Checked);
        return saveAndCancel(dialog, QStringLiteral("shopping-list-dialog"));
    };
    FormMain->BtnShoppingListClick();
    TFormTemplateDialog::ShowModalHook = nullptr;
}

void savePage(const PagedDocument& document, int page, const QString& name)
{
    renderPage(document, page, 1000).save(outputFolder.filePath(name + ".png"));
    ++written;
}

// A recipe card, a cookbook's contents and a shopping list as they print (pictures
// of their pages, and the PDFs themselves), and the preview dialog.
void printedPages()
{
    SqliteDatabase& db = DataModuleRecipes->DatabaseRecipe.sqlite();
    const PageSetup paper = localPageSetup();
    const PagedDocument card = recipeCard(cardRecipe(db, 3), paper);
    savePage(card, 0, QStringLiteral("recipe-card-page-1"));
    saveDocumentPdf(card, outputFolder.filePath(QStringLiteral("recipe-card.pdf")));
    std::vector<CardRecipe> recipes;
    auto all = db.prepare(R"(SELECT R_ID FROM "Recipe_Des.DB" ORDER BY "Recipe Name")");
    while (all.step())
        recipes.push_back(cardRecipe(db, all.columnInt(0)));
    const PagedDocument book = cookbook(QStringLiteral("All Recipes"), recipes, paper);
    savePage(book, 1, QStringLiteral("cookbook-contents-page"));
    saveDocumentPdf(book, outputFolder.filePath(QStringLiteral("cookbook.pdf")));
    const ShoppingList list = buildShoppingList(db, {{1, 1}, {3, 2}});
    const PagedDocument shopping = shoppingListPages(QStringLiteral("Shopping List: 2 recipes"), list, paper);
    savePage(shopping, 0, QStringLiteral("shopping-list-page"));
    saveDocumentPdf(shopping, outputFolder.filePath(QStringLiteral("shopping-list.pdf")));

    DataModuleRecipes->ShowAllRecipes();
    DataModuleRecipes->dscDisplayRecipes.dataSet()->locate("R_ID", Value(std::int64_t{3}));
    TFormTemplateDialog::ShowModalHook = [](TFormTemplateDialog& dialog) {
        return saveAndCancel(dialog, QStringLiteral("print-preview-dialog"));
    };
    FormMain->BtnPrintRecipeClick();
    TFormTemplateDialog::ShowModalHook = nullptr;
}

// The Info Base: iron ranked over all groups, sodium in vegetables lowest first,
// and a recipe's Daily Values.
void infoBasePage()
{
    FormMain->BtnInfoBase->SetDown(true);
    FormMain->BtnInfoBaseClick();
    InfoBasePage& page = *FormMain->InfoBase;
    page.Tree->Select(page.NutrientNode(303));
    TApplication::processEvents();
    save(*FormMain, QStringLiteral("info-base-iron"));
    page.Tree->Select(page.NutrientNode(307));
    page.ComboGroup->setCurrentIndex(page.ComboGroup->findData(QVariant::fromValue(std::int64_t{1100})));
    page.ComboOrder->setCurrentIndex(1);
    TApplication::processEvents();
    save(*FormMain, QStringLiteral("info-base-sodium-vegetables-lowest"));
    page.ComboGroup->setCurrentIndex(0);
    page.ComboOrder->setCurrentIndex(0);
    if (page.NodeRecipes->childCount() > 1)
        page.Tree->Select(page.NodeRecipes->child(1));
    TApplication::processEvents();
    save(*FormMain, QStringLiteral("info-base-recipe-chart"));
    page.ChartArea->verticalScrollBar()->setValue(page.ChartArea->verticalScrollBar()->maximum());
    TApplication::processEvents();
    save(*FormMain, QStringLiteral("info-base-recipe-chart-energy"));
    FormMain->BtnRecipes->SetDown(true);
    FormMain->BtnRecipesClick();
}

// The label as it prints, at twice its printed size, on white.
void saveLabel(const NutritionLabel& label, const QString& name)
{
    const NutritionLabelPainter painter(label);
    const double scale = 2;
    const int margin = 24;
    QImage image((painter.size() * scale).toSize() + QSize(2 * margin, 2 * margin), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.translate(margin, margin);
    p.scale(scale, scale);
    painter.paint(p);
    p.end();
    image.save(outputFolder.filePath(name + ".png"));
    ++written;
}

// The label of each recipe and of Butter, salted per tablespoon, and the dialog that shows one.
void nutritionFacts()
{
    const SqliteDatabase& db = DataModuleRecipes->DatabaseRecipe.sqlite();
    auto recipes = db.prepare(R"(SELECT R_ID FROM "Recipe_Des.DB" ORDER BY R_ID)");
    while (recipes.step()) {
        const auto id = static_cast<std::int32_t>(recipes.columnInt(0));
        saveLabel(recipeLabel(db, id), "nutrition-facts-recipe-" + QString::number(id));
    }
    auto tbsp = db.prepare(R"(SELECT Weight_ID FROM "WEIGHT.db" WHERE NDB_No = 1001 AND Msre_Desc = 'tbsp')");
    if (tbsp.step())
        saveLabel(foodLabel(db, 1001, static_cast<std::int32_t>(tbsp.columnInt(0)), 1), "nutrition-facts-butter-tbsp");
    // A food the tables hold no vitamin D or sugars for: those lines say n/a.
    auto caraway = db.prepare(R"(SELECT Weight_ID FROM "WEIGHT.db" WHERE NDB_No = 1008 ORDER BY Seq)");
    if (caraway.step())
        saveLabel(foodLabel(db, 1008, static_cast<std::int32_t>(caraway.columnInt(0)), 1), "nutrition-facts-caraway-cheese");
    // The first recipe's label as it prints, for a look at the page.
    saveNutritionLabelPdf(recipeLabel(db, 1), outputFolder.filePath("nutrition-facts-recipe-1.pdf"));
    TFormTemplateDialog::ShowModalHook = [](TFormTemplateDialog& dialog) {
        return saveAndCancel(dialog, "nutrition-facts-dialog");
    };
    ShowRecipeNutritionFacts(1);
    TFormTemplateDialog::ShowModalHook = nullptr;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: saporia-window-shots <folder>\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    TApplication application(argc, argv);
    TApplication::setApplicationName("Saporia");
    installFontSubstitutions();
    MessageBoxes messageBoxes;
    outputFolder = QDir(QString::fromLocal8Bit(argv[1]));
    QDir().mkpath(outputFolder.path());

    const bool ok = guarded([] {
        prepareDataFolder("data"); // a folder of an earlier layout, as the program would find it
        CreateApplicationObjects();
        FormMain->show();
        while (FormMain->AlphaBlend())
            FormMain->Timer1Timer();
        TApplication::processEvents();
        // Each page as its tab shows it: the tab latched, then its click handler.
        const std::pair<TAdvButton*, const char*> pages[] = {{FormMain->BtnRecipes, "main-window-recipes"},
                                                             {FormMain->BtnFoods, "main-window-foods"},
                                                             {FormMain->BtnInfoBase, "main-window-info-base"}};
        for (const auto& [tab, name] : pages) {
            tab->SetDown(true);
            tab->OnClick();
            save(*FormMain, name);
        }
        foodsPage();
        recipesPage();
        FormMain->BtnRecipes->SetDown(true);
        FormMain->BtnRecipesClick();
        TFormTemplateDialog::ShowModalHook = [](TFormTemplateDialog& dialog) {
            return saveAndCancel(dialog, "preference-dialog");
        };
        FormMain->btnPreferenceClick();
        TFormTemplateDialog::ShowModalHook = nullptr;
        foodEditWizard();
        foodDialogs();
        advancedSearchDialogs();
        recipeSearches();
        recipeDialogs();
        ingredientDialog();
        recipeWizard();
        recipeWizardPaste();
        recipeTransfer();
        kitchenTools();
        printedPages();
        infoBasePage();
        nutritionFacts();
    });
    guarded(DestroyApplicationObjects);
    std::printf("%d screenshots written to %s\n", written, argv[1]);
    return ok ? 0 : 1;
}
