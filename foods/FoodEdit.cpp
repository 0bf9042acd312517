#include "foods/FoodEdit.h"

#include "foods/DatabaseFood.h"
#include "foods/Measurements.h"
#include "foods/NutrientValue.h"
#include "seams/Messages.h"
#include "ui/DataControls.h"
#include "ui/DialogParts.h"
#include "ui/ErrorGuard.h"
#include "ui/NutrientPicker.h"
#include "ui/RowDialog.h"
#include "ui/Skin.h"
#include "ui/WizardPages.h"

#include <QLabel>
#include <QShowEvent>
#include <QTabBar>
#include <QTabWidget>

TDialogFoodEdit* DialogFoodEdit = nullptr;

TDialogFoodEdit::TDialogFoodEdit(QWidget* parent) : TFormTemplateDialog(parent)
{
    setObjectName(QStringLiteral("DialogFoodEdit"));
    setWindowTitle(QStringLiteral("Food"));
    resize(620, 460);
    QWidget* client = ImgMiddleCenter;
    LabelTitle = DialogParts::title(client, QStringLiteral("Food"));

    NoteBookPages = new WizardPages(*this, client, {"FoodDetails", "FoodNutrients", "FoodMeasures"});
    NoteBookPages->setGeometry(0, Skin::kDialogTitleBand + 2, 610, 348);
    buildDetailsPage(NoteBookPages->Page(0));
    buildNutrientsPage(NoteBookPages->Page(1));
    buildMeasuresPage(NoteBookPages->Page(2));

    ShapeLine = DialogParts::ruleLine(client, {10, 382, 590, 2});

    BtnPrev = DialogParts::imageButton(client, QStringLiteral("ImgPrev"), {}, {14, 392});
    BtnNext = DialogParts::imageButton(client, QStringLiteral("ImgNext"), {}, {70, 392});
    BtnOk = DialogParts::imageButton(client, QStringLiteral("ImgOk"), {}, {492, 392});
    BtnCancel = DialogParts::imageButton(client, QStringLiteral("ImgCancel"), {}, {548, 392});
    NoteBookPages->SetButtons(BtnPrev, BtnNext);

    BtnPrev->OnClick = [this] { BtnPrevClick(); };
    BtnNext->OnClick = [this] { BtnNextClick(); };
    BtnOk->OnClick = [this] { BtnOkClick(); };
    BtnCancel->OnClick = [this] { BtnCancelClick(); };
    GraphicButton2->OnClick = [this] { GraphicButton2Click(); };
    GraphicButton4->OnClick = [this] { GraphicButton4Click(); };
    BtnAddMeasure->OnClick = [this] { BtnAddMeasureClick(); };
    BtnDeleteMeasure->OnClick = [this] { BtnDeleteMeasureClick(); };
    BtnEditMeasure->OnClick = [this] { BtnEditMeasureClick(); };
    NoteBookPages->ShowFirst();
}

void TDialogFoodEdit::buildDetailsPage(QWidget* page)
{
    const QColor text = DialogParts::labelColour();
    LabelFoodName = DialogParts::caption(page, QStringLiteral("Food Name:"), {24, 40}, text);
    DBEdit1 = new TDBEdit(page);
    DBEdit1->SetDataSource(&DataModuleFoods->dscFoodDesc2);
    DBEdit1->SetDataField("Desc");
    DBEdit1->setGeometry(24, 58, 562, 22);

    LabelFoodGroup = DialogParts::caption(page, QStringLiteral("Food Group:"), {24, 100}, text);
    DBLookupComboBox1 = new TDBLookupComboBox(page);
    DBLookupComboBox1->SetListSource(&DataModuleFoods->dscFoodGroups2);
    DBLookupComboBox1->SetKeyField("FdGrp_Cd");
    DBLookupComboBox1->SetListField("FdGrp_Desc");
    DBLookupComboBox1->SetDataSource(&DataModuleFoods->dscFoodDesc2);
    DBLookupComboBox1->SetDataField("FdGrp_Cd");
    DBLookupComboBox1->setGeometry(24, 118, 300, 22);
}

void TDialogFoodEdit::buildNutrientsPage(QWidget* page)
{
    Picker = new NutrientPicker(page, DataModuleFoods->dscNutrientDef, DataModuleFoods->dscNutrientPeference);
    Picker->setGeometry(14, 34, 270, 300);
    NutrientTabs = Picker->NutrientTabs;
    TabAllNutrients = Picker->TabAllNutrients;
    TabMyNutrients = Picker->TabMyNutrients;
    DBGrid1 = Picker->GridAll;
    DBGrid2 = Picker->GridMine;
    GraphicButton2 = Picker->AddButton;
    GraphicButton4 = Picker->RemoveButton;

    grdNutrientBy100g = new TDBGrid(page);
    grdNutrientBy100g->setObjectName(QStringLiteral("grdNutrientBy100g"));
    grdNutrientBy100g->SetColumns({{"NutrientDescription", {}, 166}, {"Nutr_Val", {}, 64}, {"Units", {}, 50}});
    grdNutrientBy100g->SetDataSource(&DataModuleFoods->dscNutrientData2);
    // Level with the lists under the tabs.
    grdNutrientBy100g->setGeometry(292, 34 + NutrientTabs->tabBar()->sizeHint().height(), 306,
                                   300 - NutrientTabs->tabBar()->sizeHint().height());
}

void TDialogFoodEdit::buildMeasuresPage(QWidget* page)
{
    LabelMeasures = DialogParts::caption(page, QStringLiteral("Useful Measures:"), {24, 16}, DialogParts::labelColour());
    grdMeasures = new TDBGrid(page);
    grdMeasures->setObjectName(QStringLiteral("grdMeasures"));
    grdMeasures->SetColumns({{"Amount", {}, 60}, {"Msre_Desc", QStringLiteral("Measure Description"), 350},
                             {"Gm_Wgt", QStringLiteral("Grams"), 70}});
    grdMeasures->SetDataSource(&DataModuleFoods->dscNutrientWeight2);
    grdMeasures->setGeometry(24, 34, 500, 300);

    BtnAddMeasure = DialogParts::imageButton(page, QStringLiteral("ImgCreate"), QStringLiteral("Add New Measure"),
                                             {538, 34});
    BtnDeleteMeasure = DialogParts::imageButton(page, QStringLiteral("ImgDelete"),
                                                QStringLiteral("Delete Selected Measure"), {538, 90});
    BtnEditMeasure = DialogParts::imageButton(page, QStringLiteral("ImgEdit"), QStringLiteral("Edit Selected Measure"),
                                              {538, 146});
}

void TDialogFoodEdit::showEvent(QShowEvent* event)
{
    TFormTemplateDialog::showEvent(event);
    if (!event->spontaneous())
        guarded([this] { FormShow(); });
}

void TDialogFoodEdit::FormShow()
{
    NoteBookPages->ShowFirst();
    DBEdit1->setFocus();
}

void TDialogFoodEdit::BtnPrevClick()
{
    NoteBookPages->ShowPrior();
}

void TDialogFoodEdit::BtnNextClick()
{
    NoteBookPages->ShowNext();
}

void TDialogFoodEdit::BtnOkClick()
{
    if (NoteBookPages->StoreTypedNumbers())
        CloseOk();
}

void TDialogFoodEdit::BtnCancelClick()
{
    CloseCancel();
}

void TDialogFoodEdit::GraphicButton2Click()
{
    const auto nutrient = Picker->ChosenNutrient();
    if (!nutrient)
        return;
    RecordSet& values = DataModuleFoods->tblNutrientData2;
    if (values.locate("Nutr_No", Value(*nutrient))) {
        showMessage("Already Added");
        return;
    }
    values.append();
    values.fieldByName("NDB_No").setValue(DataModuleFoods->tblFoodDesc2.fieldByName("NDB_No").value());
    values.fieldByName("Nutr_No").setAsInteger(*nutrient);
    runRowDialog(values, *FormNutrientValue);
}

void TDialogFoodEdit::GraphicButton4Click()
{
    RecordSet& values = DataModuleFoods->tblNutrientData2;
    if (values.isEmpty()) {
        showMessage("No Selected Record to Delete");
        return;
    }
    if (askConfirm("Are you sure you want to delete [" + values.fieldByName("NutrientDescription").asString() + "]"))
        values.deleteRecord();
}

void TDialogFoodEdit::BtnAddMeasureClick()
{
    RecordSet& measures = DataModuleFoods->tblNutrientWeight2;
    measures.append();
    measures.fieldByName("NDB_No").setValue(DataModuleFoods->tblFoodDesc2.fieldByName("NDB_No").value());
    runRowDialog(measures, *FormMeasurements);
}

void TDialogFoodEdit::BtnEditMeasureClick()
{
    RecordSet& measures = DataModuleFoods->tblNutrientWeight2;
    if (measures.isEmpty()) {
        showMessage("No Selected Record to Edit");
        return;
    }
    measures.edit();
    runRowDialog(measures, *FormMeasurements);
}

void TDialogFoodEdit::BtnDeleteMeasureClick()
{
    RecordSet& measures = DataModuleFoods->tblNutrientWeight2;
    if (measures.isEmpty()) {
        showMessage("No Selected Record to Delete");
        return;
    }
    if (askConfirm("Are you sure you want to delete Meaure [" + measures.fieldByName("Msre_Desc").asString() + "]"))
        measures.deleteRecord();
}
