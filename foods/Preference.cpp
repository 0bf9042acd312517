#include "foods/Preference.h"

#include "foods/DatabaseFood.h"
#include "seams/Messages.h"
#include "ui/DataControls.h"
#include "ui/FormParts.h"
#include "ui/GraphicButton.h"

#include <QLabel>

TDialogPreference* DialogPreference = nullptr;


TDialogPreference::TDialogPreference(QWidget* parent) : TFormTemplateDialog(parent)
{
    setObjectName("DialogPreference");
    setWindowTitle("My Nutrients");
    resize(552, 438);
    QWidget* client = ImgMiddleCenter;
    LabelTitle = captionLabel(client, "My Nutrients", {12, 6}, Qt::white, true);

    DBGrid1 = new TDBGrid(client);
    DBGrid1->SetColumns({{"Nutr_Desc", "Available Nutrient", 150}, {"Units", {}, 44}});
    DBGrid1->SetDataSource(&DataModuleFoods->dscNutrientDef);
    DBGrid1->setGeometry(14, 40, 222, 300);

    DBGridSFNutrientListByServing = new TDBGrid(client);
    DBGridSFNutrientListByServing->SetColumns({{"Nutr_Desc", "My Nutrients", 150}, {"Units", {}, 44}});
    DBGridSFNutrientListByServing->SetDataSource(&DataModuleFoods->dscNutrientPeference);
    DBGridSFNutrientListByServing->setGeometry(316, 40, 222, 300);

    GraphicButton2 = imageButton(client, "ImgAdd", R"(Add Nutrient to My "Nutrient List")", {252, 120});
    GraphicButton4 = imageButton(client, "ImgRemove", {}, {252, 184});
    BtnAddMeasure = imageButton(client, "ImgCreate", "Create New Nutrient Description", {14, 350});
    BtnDeleteMeasure = imageButton(client, "ImgDelete", "Delete Selected Nutrient", {66, 350});
    BtnEditMeasure = imageButton(client, "ImgEdit", "Edit Selected Nutrient", {118, 350});
    BtnOk = imageButton(client, "ImgOk", {}, {430, 376});
    BtnCancel = imageButton(client, "ImgCancel", {}, {486, 376});

    GraphicButton2->OnClick = [this] { GraphicButton2Click(); };
    GraphicButton4->OnClick = [this] { GraphicButton4Click(); };
    BtnAddMeasure->OnClick = [this] { BtnAddMeasureClick(); };
    BtnDeleteMeasure->OnClick = [this] { BtnDeleteMeasureClick(); };
    BtnEditMeasure->OnClick = [this] { BtnEditMeasureClick(); };
    BtnOk->OnClick = [this] { BtnOkClick(); };
    BtnCancel->OnClick = [this] { BtnCancelClick(); };
}

void TDialogPreference::GraphicButton2Click()
{
    RecordSet& available = DataModuleFoods->tblNutrientDef;
    RecordSet& mine = DataModuleFoods->tblNutrientPreference;
    if (available.isEmpty())
        return;
    const std::int64_t nutrient = available.fieldByName("Nutr_No").asInteger();
    if (mine.locate("Nutr_No", Value(nutrient))) {
        showMessage("Already Added");
        return;
    }
    mine.append();
    mine.fieldByName("Nutr_No").setAsInteger(nutrient);
    mine.post();
}

void TDialogPreference::GraphicButton4Click()
{
    // Removing from an empty list has nothing to remove: no error box.
    RecordSet& mine = DataModuleFoods->tblNutrientPreference;
    if (!mine.isEmpty())
        mine.deleteRecord();
}

void TDialogPreference::BtnAddMeasureClick()
{
    showMessage("Not Implemented Yet");
}

void TDialogPreference::BtnDeleteMeasureClick()
{
    showMessage("Not Implemented Yet");
}

void TDialogPreference::BtnEditMeasureClick()
{
    showMessage("Not Implemented Yet");
}

void TDialogPreference::BtnOkClick()
{
    CloseOk();
}

void TDialogPreference::BtnCancelClick()
{
    CloseCancel();
}
