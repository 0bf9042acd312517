// The Recipes page's kitchen tools: a recipe card printed or saved as PDF, the
// recipes listed as a cookbook PDF, a recipe scaled to any number of serves and
// reviewed in the recipe wizard, and a shopping list from chosen recipes.

#include "app/MainForm.h"

#include "cookbook/PrintPreview.h"
#include "cookbook/RecipeCard.h"
#include "cookbook/RecipeScaling.h"
#include "cookbook/ScaleRecipeDialog.h"
#include "cookbook/ShoppingListDialog.h"
#include "recipes/DatabaseRecipes.h"
#include "recipes/RecipeEdit.h"
#include "seams/Messages.h"
#include "store/Field.h"
#include "ui/ErrorGuard.h"
#include "ui/FormParts.h"
#include "ui/GraphicButton.h"
#include "ui/WaitCursor.h"

#include <QLabel>
#include <QMenu>

namespace {

QString numberText(double value)
{
    return QString::number(value, 'g', 12);
}

// The recipe list as it stands, when it shows a recipe.
RecordSet* shownRecipes()
{
    RecordSet* shown = DataModuleRecipes->dscDisplayRecipes.dataSet();
    return shown && shown->active() && !shown->isEmpty() ? shown : nullptr;
}

DocumentLayout cardLayout(std::int64_t recipeId)
{
    auto recipe = std::make_shared<CardRecipe>(cardRecipe(DataModuleRecipes->DatabaseRecipe.sqlite(), recipeId));
    return [recipe](const PageSetup& setup) { return recipeCard(*recipe, setup); };
}

QString scaleNote(const ScaledRecipe& scaled, bool itself)
{
    QString note = itself ? QStringLiteral("Scaled by %1: check it, then OK stores the change.")
                          : QStringLiteral("Scaled by %1 as a new recipe: check it, then OK stores it.");
    return note.arg(numberText(scaled.factor));
}

} // namespace

void TFormMain::buildCookbookButtons()
{
    const auto button = [this](const char* images, const char* name, const char* hint, int x,
                               void (TFormMain::*click)()) {
        TGraphicButton* made = imageButton(PanelHeaderClientRecipes, images, QString::fromUtf8(hint), {x, 0});
        made->setObjectName(name);
        made->OnClick = [this, click] { guarded([this, click] { (this->*click)(); }); };
        return made;
    };
    BtnPrintRecipe = button("ImgPrint32", "BtnPrintRecipe", "Print Recipe\u2026 (a preview of its pages first)", 179,
                            &TFormMain::BtnPrintRecipeClick);
    BtnSaveRecipePdf = button("ImgPdf32", "BtnSaveRecipePdf", "Save Recipe as PDF\u2026", 210,
                              &TFormMain::BtnSaveRecipePdfClick);
    BtnSaveCookbookPdf = button("ImgCookbook32", "BtnSaveCookbookPdf",
                                "Save Cookbook as PDF\u2026 (the recipes listed, with their contents)", 241,
                                &TFormMain::BtnSaveCookbookPdfClick);
    BtnScaleRecipe = button("ImgScale32", "BtnScaleRecipe", "Scale Recipe\u2026 (to a number of serves or by a factor)",
                            282, &TFormMain::BtnScaleRecipeClick);
    BtnShoppingList = button("ImgShopping32", "BtnShoppingList", "Shopping List\u2026 (from the recipes listed)", 313,
                             &TFormMain::BtnShoppingListClick);
}

void TFormMain::addCookbookItems(QMenu* menu)
{
    menu->addSeparator();
    const auto item = [this, menu](const char* text, const char* name, void (TFormMain::*click)()) {
        QAction* action = menu->addAction(QString::fromUtf8(text));
        action->setObjectName(name);
        QObject::connect(action, &QAction::triggered, this, [this, click] { guarded([this, click] { (this->*click)(); }); });
    };
    item("Print Recipe\u2026", "PrintRecipe", &TFormMain::BtnPrintRecipeClick);
    item("Save Recipe as PDF\u2026", "SaveRecipePdf", &TFormMain::BtnSaveRecipePdfClick);
    item("Save Cookbook as PDF\u2026", "SaveCookbookPdf", &TFormMain::BtnSaveCookbookPdfClick);
    menu->addSeparator();
    item("Scale Recipe\u2026", "ScaleRecipe", &TFormMain::BtnScaleRecipeClick);
    item("Shopping List\u2026", "ShoppingList", &TFormMain::BtnShoppingListClick);
}

void TFormMain::BtnPrintRecipeClick()
{
    RecordSet* shown = shownRecipes();
    if (!shown) {
        showMessage("No Selected Recipe to Print");
        return;
    }
    const QString name = QString::fromStdString(shown->fieldByName("Recipe Name").asString());
    if (!DialogPrintPreview)
        DialogPrintPreview = new TDialogPrintPreview(this);
    DialogPrintPreview->Preview(name, cardLayout(shown->fieldByName("R_ID").asInteger()), name);
    DialogPrintPreview->ShowModal();
}

void TFormMain::BtnSaveRecipePdfClick()
{
    RecordSet* shown = shownRecipes();
    if (!shown) {
        showMessage("No Selected Recipe to Save");
        return;
    }
    saveLayoutAsPdf(this, cardLayout(shown->fieldByName("R_ID").asInteger()),
                    QString::fromStdString(shown->fieldByName("Recipe Name").asString()));
}

void TFormMain::BtnSaveCookbookPdfClick()
{
    RecordSet* shown = shownRecipes();
    if (!shown) {
        showMessage("No Recipes for a Cookbook");
        return;
    }
    const Field& id = shown->fieldByName("R_ID");
    std::vector<std::int64_t> ids;
    for (int row = 0; row < shown->recordCount(); ++row)
        ids.push_back(static_cast<std::int64_t>(numberOf(shown->valueAt(row, id)).value_or(0)));
    // The book is named after what the list shows: a cuisine, a type, a search.
    const QString title = TreeViewRecipes->Selected() == NodeViewAllRecipes ? QStringLiteral("All Recipes")
                                                                            : LabelActiveDispalyRecipes->text();
    const DocumentLayout layout = [ids, title](const PageSetup& setup) {
        WaitCursor busy;
        std::vector<CardRecipe> recipes;
        const SqliteDatabase& db = DataModuleRecipes->DatabaseRecipe.sqlite();
        for (std::int64_t recipe : ids)
            recipes.push_back(cardRecipe(db, recipe));
        return cookbook(title, recipes, setup);
    };
    saveLayoutAsPdf(this, layout, title);
}

void TFormMain::BtnScaleRecipeClick()
{
    RecordSet* shown = shownRecipes();
    if (!shown) {
        showMessage("No Selected Recipe to Scale");
        return;
    }
    TDataModuleRecipes& recipes = *DataModuleRecipes;
    if (!DialogScaleRecipe)
        DialogScaleRecipe = new TDialogScaleRecipe(this);
    DialogScaleRecipe->Offer(recipes.DatabaseRecipe.sqlite(), shown->fieldByName("R_ID").asInteger(),
                             QString::fromStdString(shown->fieldByName("Recipe Name").asString()),
                             numberOf(shown->fieldByName("Number of Serves").value()));
    if (DialogScaleRecipe->ShowModal() != mrOk || !DialogScaleRecipe->Scaled())
        return;
    const ScaledRecipe& scaled = *DialogScaleRecipe->Scaled();
    const bool itself = DialogScaleRecipe->Itself();
    const NodePath recipeNode = nodePath(TreeViewRecipes->Selected());
    recipes.BeginScaledRecipe(scaled, itself);
    DialogRecipeEdit->SetImportNote(scaleNote(scaled, itself));
    const int result = DialogRecipeEdit->ShowModalStoring([&] {
        if (itself)
            recipes.PostEditedRecipe();
        else
            recipes.PostNewRecipe();
    });
    DialogRecipeEdit->SetImportNote({});
    if (result != mrOk) {
        if (itself)
            recipes.CancelEditedRecipe();
        else
            recipes.CancelNewRecipe();
        return;
    }
    if (!itself) {
        TreeViewRecipes->SelectAndRun(NodeViewAllRecipes);
        recipes.dscDisplayRecipes.dataSet()->last(); // the new recipe has the highest id
    } else {
        TreeViewRecipes->Reselect(recipeNode);
    }
}

void TFormMain::BtnShoppingListClick()
{
    RecordSet* shown = shownRecipes();
    if (!shown) {
        showMessage("No Recipes for a Shopping List");
        return;
    }
    std::vector<ShoppingRecipe> offered;
    const Field& id = shown->fieldByName("R_ID");
    const Field& name = shown->fieldByName("Recipe Name");
    const Field& serves = shown->fieldByName("Number of Serves");
    for (int row = 0; row < shown->recordCount(); ++row)
        offered.push_back({static_cast<std::int64_t>(numberOf(shown->valueAt(row, id)).value_or(0)),
                           name.textOf(shown->valueAt(row, name)), numberOf(shown->valueAt(row, serves))});
    if (!DialogShoppingList)
        DialogShoppingList = new TDialogShoppingList(this);
    DialogShoppingList->Offer(DataModuleRecipes->DatabaseRecipe.sqlite(), offered, id.asInteger());
    DialogShoppingList->ShowModal();
}
