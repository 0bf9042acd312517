#include "recipes/RecipeEdit.h"

#include "foods/DatabaseFood.h"
#include "recipes/DatabaseRecipes.h"
#include "recipes/IngredientEdit.h"
#include "recipes/PasteIngredients.h"
#include "recipes/RecipeNutrientValue.h"
#include "seams/Messages.h"
#include "ui/DataControls.h"
#include "ui/DialogParts.h"
#include "ui/ErrorGuard.h"
#include "ui/NutrientPicker.h"
#include "ui/RowDialog.h"
#include "ui/Skin.h"
#include "ui/WizardPages.h"

#include <QHeaderView>
#include <QLabel>
#include <QShowEvent>
#include <QTabBar>
#include <QTabWidget>

TDialogRecipeEdit* DialogRecipeEdit = nullptr;

namespace {

constexpr int kNutrientsPage = 4;

TDBEdit* fieldBox(QWidget* page, DataSource& source, const char* field, const QRect& at, const QString& caption = {})
{
    auto* box = new TDBEdit(page);
    box->SetCaption(caption);
    box->SetDataSource(&source);
    box->SetDataField(field);
    box->setGeometry(at);
    return box;
}

TDBGrid* listGrid(QWidget* page, DataSource& source, std::vector<GridColumn> columns, const QRect& at)
{
    auto* grid = new TDBGrid(page);
    grid->SetColumns(std::move(columns));
    grid->SetDataSource(&source);
    grid->horizontalHeader()->setStretchLastSection(true);
    grid->SetColors(Skin::gridBackground(), Qt::black, Skin::darkGreen());
    grid->setGeometry(at);
    return grid;
}

} // namespace

TDialogRecipeEdit::TDialogRecipeEdit(QWidget* parent) : TFormTemplateDialog(parent)
{
    setObjectName(QStringLiteral("DialogRecipeEdit"));
    setWindowTitle(QStringLiteral("Recipe"));
    resize(640, 480);
    QWidget* client = ImgMiddleCenter;
    LabelTitle = DialogParts::title(client, QStringLiteral("Recipe"));

    NoteBookPages = new WizardPages(*this, client,
                                    {"RecipeInfo", "RecipeIngredients", "RecipeProcedure", "RecipeTypes",
                                     "RecipeNutrients", "RecipeSource"});
    NoteBookPages->setGeometry(0, Skin::kDialogTitleBand + 2, 630, 368);
    buildInfoPage(NoteBookPages->Page(0));
    buildIngredientsPage(NoteBookPages->Page(1));
    buildProcedurePage(NoteBookPages->Page(2));
    buildTypesPage(NoteBookPages->Page(3));
    buildNutrientsPage(NoteBookPages->Page(4));
    buildSourcePage(NoteBookPages->Page(5));

    ShapeLine = DialogParts::ruleLine(client, {10, 402, 610, 2});

    BtnPrev = DialogParts::imageButton(client, QStringLiteral("ImgPrev"), {}, {14, 412});
    BtnNext = DialogParts::imageButton(client, QStringLiteral("ImgNext"), {}, {70, 412});
    BtnCancel = DialogParts::imageButton(client, QStringLiteral("ImgCancel"), {}, {568, 412});
    BtnOk = DialogParts::imageButton(client, QStringLiteral("ImgOk"), {}, {512, 412});
    NoteBookPages->SetButtons(BtnPrev, BtnNext);
    QObject::connect(NoteBookPages, &QStackedWidget::currentChanged, this,
                     [this](int index) { guarded([this, index] { pageShown(index); }); });

    BtnPrev->OnClick = [this] { BtnPrevClick(); };
    BtnNext->OnClick = [this] { BtnNextClick(); };
    BtnOk->OnClick = [this] { BtnOkClick(); };
    BtnCancel->OnClick = [this] { BtnCancelClick(); };
    BtnCreate->OnClick = [this] { BtnCreateClick(); };
    BtnEdit->OnClick = [this] { BtnEditClick(); };
    BtnDelete->OnClick = [this] { BtnDeleteClick(); };
    BtnPaste->OnClick = [this] { BtnPasteClick(); };
    BtnLinkUnlinked->OnClick = [this] { BtnLinkUnlinkedClick(); };
    GraphicButton2->OnClick = [this] { GraphicButton2Click(); };
    GraphicButton4->OnClick = [this] { GraphicButton4Click(); };
    GraphicButton3->OnClick = [this] { GraphicButton3Click(); };
    GraphicButton5->OnClick = [this] { GraphicButton5Click(); };
    GraphicButton6->OnClick = [this] { GraphicButton6Click(); };
    NoteBookPages->ShowFirst();
}

void TDialogRecipeEdit::buildInfoPage(QWidget* page)
{
    const QColor text = DialogParts::labelColour();
    DataSource& recipe = DataModuleRecipes->dscRecipeDescEdit;
    DialogParts::caption(page, QStringLiteral("Recipe Name:"), {24, 40}, text);
    DBEditName = fieldBox(page, recipe, "Recipe Name", {24, 58, 582, 22});

    DialogParts::caption(page, QStringLiteral("Cuisine:"), {24, 98}, text);
    DBLookupComboBoxCuisine = new TDBLookupComboBox(page);
    DBLookupComboBoxCuisine->SetListSource(&DataModuleRecipes->dscRecipeCuisine);
    DBLookupComboBoxCuisine->SetKeyField("Cuisine_ID");
    DBLookupComboBoxCuisine->SetListField("Cuisine");
    DBLookupComboBoxCuisine->SetDataSource(&recipe);
    DBLookupComboBoxCuisine->SetDataField("Cuisine_ID");
    DBLookupComboBoxCuisine->setGeometry(24, 116, 300, 22);

    DialogParts::caption(page, QStringLiteral("Serves/Yeilds:"), {24, 156}, text);
    DBEditServes = fieldBox(page, recipe, "Number of Serves", {24, 174, 80, 22}, QStringLiteral("Serves/Yeilds:"));
    DialogParts::caption(page, QStringLiteral("Preperation Time:"), {184, 156}, text);
    DBEditPreparation = fieldBox(page, recipe, "Preperation Time", {184, 174, 80, 22}, QStringLiteral("Preperation Time:"));
    DialogParts::caption(page, QStringLiteral("Min."), {270, 179}, text);
    DialogParts::caption(page, QStringLiteral("Cooking Time:"), {344, 156}, text);
    DBEditCooking = fieldBox(page, recipe, "Cooking Time", {344, 174, 80, 22}, QStringLiteral("Cooking Time:"));
    DialogParts::caption(page, QStringLiteral("Min."), {430, 179}, text);

    LabelImportNote = new QLabel(page);
    LabelImportNote->setObjectName(QStringLiteral("LabelImportNote"));
    LabelImportNote->setTextFormat(Qt::PlainText); // names and file names are outside text
    LabelImportNote->setWordWrap(true);
    LabelImportNote->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    LabelImportNote->setGeometry(24, 220, 582, 120);
    LabelImportNote->setStyleSheet(QStringLiteral("color: rgb(128, 0, 0); background: rgb(242, 252, 238); padding: 6px;"));
    LabelImportNote->hide();
}

void TDialogRecipeEdit::SetImportNote(const QString& note)
{
    LabelImportNote->setText(note);
    LabelImportNote->setVisible(!note.isEmpty());
}

void TDialogRecipeEdit::buildIngredientsPage(QWidget* page)
{
    DBGridRIngredientList = listGrid(page, DataModuleRecipes->dscRecipeIngredientEdit,
                                     {{"Linked", {}, 36}, {"Quantity", {}, 44}, {"Unit", {}, 120},
                                      {"Ingredient Name", {}, 300}},
                                     {24, 34, 522, 316});
    DBGridRIngredientList->setObjectName(QStringLiteral("DBGridRIngredientList"));
    BtnCreate = DialogParts::imageButton(page, QStringLiteral("ImgCreate"), QStringLiteral("Add New Ingredient"),
                                         {560, 34});
    BtnDelete = DialogParts::imageButton(page, QStringLiteral("ImgDelete"), QStringLiteral("Delete Selected Ingredients"),
                                         {560, 90});
    BtnEdit = DialogParts::imageButton(page, QStringLiteral("ImgEdit"), QStringLiteral("Edit Selected Ingredients"),
                                       {560, 146});
    BtnPaste = DialogParts::imageButton(page, QStringLiteral("ImgPaste"), QStringLiteral("Paste Ingredients..."),
                                        {560, 218});
    BtnLinkUnlinked = DialogParts::imageButton(page, QStringLiteral("ImgLink"),
                                               QStringLiteral("Link Unlinked Ingredients"), {560, 274});
    LabelIngredientsNote = DialogParts::caption(page, {}, {24, 351}, QColor(128, 0, 0));
    LabelIngredientsNote->setObjectName(QStringLiteral("LabelIngredientsNote"));
    LabelIngredientsNote->resize(582, 16);
    PasteDialog = new TDialogPasteIngredients(this);
}

void TDialogRecipeEdit::buildProcedurePage(QWidget* page)
{
    DialogParts::caption(page, QStringLiteral("Procedures/Instructions:"), {24, 16}, DialogParts::labelColour());
    DBMemoProcedures = new TDBMemo(page);
    DBMemoProcedures->setObjectName(QStringLiteral("DBMemoProcedures"));
    DBMemoProcedures->SetDataSource(&DataModuleRecipes->dscRecipeDescEdit);
    DBMemoProcedures->SetDataField("Procedures");
    DBMemoProcedures->setGeometry(24, 34, 582, 316);
}

void TDialogRecipeEdit::buildTypesPage(QWidget* page)
{
    const QColor text = DialogParts::labelColour();
    DialogParts::caption(page, QStringLiteral("Available Recipe's Type:"), {24, 16}, text);
    DBGrid1 = listGrid(page, DataModuleRecipes->dscRecipeTypes2, {{"Recipe Type", {}, 220}}, {24, 34, 240, 316});
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    GraphicButton2 = DialogParts::imageButton(page, QStringLiteral("ImgAdd"), QStringLiteral("Add Recipe Type"),
                                              {291, 136});
    GraphicButton4 = DialogParts::imageButton(page, QStringLiteral("ImgRemove"), QStringLiteral("Remove Recipe Type"),
                                              {291, 196});
    DialogParts::caption(page, QStringLiteral("Selected Types:"), {366, 16}, text);
    DBGrid2 = listGrid(page, DataModuleRecipes->dscRecipeDescAndTypesEdit, {{"Recipe Type", {}, 220}},
                       {366, 34, 240, 316});
    DBGrid2->setObjectName(QStringLiteral("DBGrid2"));
}

void TDialogRecipeEdit::buildNutrientsPage(QWidget* page)
{
    Picker = new NutrientPicker(page, DataModuleFoods->dscNutrientDef, DataModuleFoods->dscNutrientPeference);
    Picker->setGeometry(14, 34, 270, 316);
    NutrientTabs = Picker->NutrientTabs;
    TabAllNutrients = Picker->TabAllNutrients;
    TabMyNutrients = Picker->TabMyNutrients;
    DBGrid3 = Picker->GridAll;
    DBGrid4 = Picker->GridMine;
    GraphicButton3 = Picker->AddButton;
    GraphicButton5 = Picker->RemoveButton;
    GraphicButton3->SetHint(QStringLiteral("Add Nutrient Value"));
    GraphicButton5->SetHint(QStringLiteral("Remove selected Nutrient"));

    // Level with the lists under the tabs, the calculate button below.
    const int top = 34 + NutrientTabs->tabBar()->sizeHint().height();
    DBGrid5 = listGrid(page, DataModuleRecipes->dscRecipeNutrientDataEdit,
                       {{"Nutr_Desc", QStringLiteral("Nutrient Description"), 130},
                        {"Nutr_Val", QStringLiteral("Total"), 56},
                        {"Serve_Val", QStringLiteral("Per Serve"), 60},
                        {"Units", {}, 40}},
                       {292, top, 314, 350 - top - 56});
    DBGrid5->setObjectName(QStringLiteral("DBGrid5"));
    LabelTotalsNote = DialogParts::caption(page, {}, {292, 16}, QColor(128, 0, 0));
    LabelTotalsNote->setObjectName(QStringLiteral("LabelTotalsNote"));
    LabelTotalsNote->resize(314, 16);
    GraphicButton6 = DialogParts::imageButton(page, QStringLiteral("ImgCalc"),
                                              QStringLiteral("Calculate Nutrients from Ingredients"), {});
    GraphicButton6->move(606 - GraphicButton6->width(), 350 - GraphicButton6->height());
}

void TDialogRecipeEdit::buildSourcePage(QWidget* page)
{
    const QColor text = DialogParts::labelColour();
    DataSource& recipe = DataModuleRecipes->dscRecipeDescEdit;
    DialogParts::caption(page, QStringLiteral("Author's Name:"), {24, 40}, text);
    DBEditAuthor = fieldBox(page, recipe, "Author", {24, 58, 400, 22});
    DialogParts::caption(page, QStringLiteral("Source:"), {24, 98}, text);
    DBEditSource = fieldBox(page, recipe, "Source", {24, 116, 582, 22});
    DialogParts::caption(page, QStringLiteral("WebPage Name:"), {24, 156}, text);
    DBEditWebPageName = fieldBox(page, recipe, "Web Page Name", {24, 174, 582, 22});
    DialogParts::caption(page, QStringLiteral("WebPage Link:"), {24, 214}, text);
    DBMemoWebPageLink = new TDBMemo(page);
    DBMemoWebPageLink->setObjectName(QStringLiteral("DBMemoWebPageLink"));
    DBMemoWebPageLink->SetDataSource(&recipe);
    DBMemoWebPageLink->SetDataField("Web Page Link");
    DBMemoWebPageLink->setLineWrapMode(QPlainTextEdit::NoWrap);
    DBMemoWebPageLink->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    DBMemoWebPageLink->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    DBMemoWebPageLink->setGeometry(24, 232, 582, 24);
}

void TDialogRecipeEdit::showEvent(QShowEvent* event)
{
    TFormTemplateDialog::showEvent(event);
    if (!event->spontaneous())
        guarded([this] { FormShow(); });
}

void TDialogRecipeEdit::FormShow()
{
    LabelIngredientsNote->clear();
    NoteBookPages->ShowFirst();
    DBEditName->setFocus();
}

void TDialogRecipeEdit::pageShown(int index)
{
    // Per-serve values are worked out as rows are read: read them again for the
    // serves as they stand now, which page 1 may have changed.
    RecordSet& nutrients = DataModuleRecipes->tblRecipeNutrientDataEdit;
    if (index == kNutrientsPage && nutrients.active())
        nutrients.refresh();
    if (index == kNutrientsPage)
        showTotalsNote();
}

void TDialogRecipeEdit::showTotalsNote()
{
    LabelTotalsNote->setText(QString::fromStdString(DataModuleRecipes->EditedLineCoverage().note()));
}

void TDialogRecipeEdit::BtnPrevClick()
{
    NoteBookPages->ShowPrior();
}

void TDialogRecipeEdit::BtnNextClick()
{
    NoteBookPages->ShowNext();
}

void TDialogRecipeEdit::BtnOkClick()
{
    if (NoteBookPages->StoreTypedNumbers())
        CloseOk();
}

void TDialogRecipeEdit::BtnCancelClick()
{
    CloseCancel();
}

void TDialogRecipeEdit::BtnCreateClick()
{
    RecordSet& ingredients = DataModuleRecipes->tblRecipeIngredientEdit;
    ingredients.append();
    runRowDialog(ingredients, *DialogIngredientEdit);
}

void TDialogRecipeEdit::BtnEditClick()
{
    RecordSet& ingredients = DataModuleRecipes->tblRecipeIngredientEdit;
    ingredients.edit(); // on an empty list this starts a new ingredient
    runRowDialog(ingredients, *DialogIngredientEdit);
}

void TDialogRecipeEdit::BtnDeleteClick()
{
    RecordSet& ingredients = DataModuleRecipes->tblRecipeIngredientEdit;
    if (ingredients.recordCount() < 1) {
        showMessage("No Selected Record to Delete");
        return;
    }
    if (askConfirm("Are you sure you want to delete [" + ingredients.fieldByName("Ingredient Name").asString() + "]"))
        ingredients.deleteRecord();
}

void TDialogRecipeEdit::GraphicButton2Click()
{
    RecordSet& types = DataModuleRecipes->tblRecipeTypes2;
    if (types.isEmpty())
        return; // no type to link: a link without one would be stored
    RecordSet& links = DataModuleRecipes->tblRecipeDescAndTypesEdit;
    const Value type = types.fieldByName("RTYPE_ID").value();
    if (links.locate("RTYPE_ID", type)) {
        showMessage(types.fieldByName("Recipe Type").asString() + " Already Added");
        return;
    }
    links.append();
    links.fieldByName("RTYPE_ID").setValue(type);
    links.fieldByName("R_ID").setValue(DataModuleRecipes->tblRecipeDescEdit.fieldByName("R_ID").value());
    links.post();
}

void TDialogRecipeEdit::GraphicButton4Click()
{
    RecordSet& links = DataModuleRecipes->tblRecipeDescAndTypesEdit;
    if (links.recordCount() < 1) {
        showMessage("No Selected Record to Delete");
        return;
    }
    if (askConfirm("Are you sure you want to delete [" + links.fieldByName("Recipe Type").asString() + "]"))
        links.deleteRecord();
}

void TDialogRecipeEdit::GraphicButton3Click()
{
    const auto nutrient = Picker->ChosenNutrient();
    if (!nutrient)
        return; // an empty list offers none
    RecordSet& totals = DataModuleRecipes->tblRecipeNutrientDataEdit;
    if (totals.locate("Nutr_No", Value(*nutrient))) {
        showMessage(totals.fieldByName("Nutr_Desc").asString() + " Already Added");
        return;
    }
    totals.append();
    totals.fieldByName("R_ID").setValue(DataModuleRecipes->tblRecipeDescEdit.fieldByName("R_ID").value());
    totals.fieldByName("Nutr_No").setAsInteger(*nutrient);
    runRowDialog(totals, *DialogRecipeNutrientValue);
}

void TDialogRecipeEdit::GraphicButton5Click()
{
    RecordSet& totals = DataModuleRecipes->tblRecipeNutrientDataEdit;
    if (totals.recordCount() < 1) {
        showMessage("No Selected Record to Delete");
        return;
    }
    if (askConfirm("Are you sure you want to delete [" + totals.fieldByName("Nutr_Desc").asString() + "]"))
        totals.deleteRecord();
}

void TDialogRecipeEdit::GraphicButton6Click()
{
    DataModuleRecipes->CalculateRecipeNutrients();
    showTotalsNote();
}

void TDialogRecipeEdit::BtnPasteClick()
{
    if (PasteDialog->ShowModal() != mrOk)
        return;
    const LinesAdded added = DataModuleRecipes->AddIngredientLines(PasteDialog->Lines().toStdString());
    LabelIngredientsNote->setText(
        QStringLiteral("%1 lines added, %2 linked.").arg(added.lines).arg(added.linked)
        + (added.linked < added.lines ? QStringLiteral(" Link the lines marked NO with Edit.") : QString()));
}

void TDialogRecipeEdit::BtnLinkUnlinkedClick()
{
    const LinesAdded linked = DataModuleRecipes->LinkUnlinkedIngredients();
    LabelIngredientsNote->setText(
        linked.lines == 0 ? QStringLiteral("Every line is linked.")
                          : QStringLiteral("%1 of %2 unlinked lines linked.").arg(linked.linked).arg(linked.lines)
                                + (linked.linked < linked.lines ? QStringLiteral(" Link the others with Edit.")
                                                                : QString()));
}
