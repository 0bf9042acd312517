#include "foods/AdvancedSearchEdit.h"

#include "foods/DatabaseFood.h"
#include "foods/RuleGroupStatement.h"
#include "seams/Messages.h"
#include "store/Amount.h"
#include "store/Text.h"
#include "store/Value.h"
#include "ui/DataControls.h"
#include "ui/ErrorGuard.h"
#include "ui/FormParts.h"
#include "ui/ListLookupCombo.h"
#include "ui/Skin.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QShowEvent>
#include <QStackedWidget>

#include <algorithm>
#include <cmath>

TDialogFoodAdvancedSearchEdit* DialogFoodAdvancedSearchEdit = nullptr;

namespace {

// The rule's word and value go into FoodSQLRules.DB's 255-character RValue.
constexpr int kRuleTextLength = 255;

std::string wholeNumberText(const Value& value)
{
    const auto number = numberOf(value);
    return number ? std::to_string(std::llround(*number)) : std::string();
}

} // namespace

TDialogFoodAdvancedSearchEdit::TDialogFoodAdvancedSearchEdit(QWidget* parent) : TFormTemplateDialog(parent)
{
    setObjectName("DialogFoodAdvancedSearchEdit");
    setWindowTitle("Advanced Search Rules");
    resize(640, 520);
    QWidget* client = ImgMiddleCenter;
    const QColor text = Skin::darkGreen();
    LabelTitle = captionLabel(client, "Advanced Search Rules", {12, 6}, Qt::white, true);

    LabelRuleGroupName = captionLabel(client, "Rule Group Name:", {16, 38}, text);
    dbedtRuleGroupName = new TDBEdit(client);
    dbedtRuleGroupName->setObjectName("dbedtRuleGroupName");
    dbedtRuleGroupName->SetDataSource(&DataModuleFoods->dscFoodAdvancedSearch);
    dbedtRuleGroupName->SetDataField("SQL Name");
    dbedtRuleGroupName->setGeometry(16, 56, 608, 22);

    RadioGroupRules = new QGroupBox(" Select a Rule ", client);
    RadioGroupRules->setObjectName("RadioGroupRules");
    RadioGroupRules->setGeometry(16, 90, 268, 110);
    QPalette caption = RadioGroupRules->palette();
    caption.setColor(QPalette::WindowText, text);
    RadioGroupRules->setPalette(caption);
    radioItems_ = new QButtonGroup(this);
    const char* items[] = {"restrict search to food that contains ...", "restrict search to this Food Group ...",
                           "restrict to a nutrient and its value..."};
    for (int i = 0; i < 3; ++i) {
        auto* item = new QRadioButton(items[i], RadioGroupRules);
        item->setGeometry(10, 24 + i * 26, 250, 20);
        radioItems_->addButton(item, i);
        RadioGroupRulesItems[static_cast<std::size_t>(i)] = item;
    }
    RadioGroupRulesItems[0]->setChecked(true);
    connect(radioItems_, &QButtonGroup::idClicked, this, [this] { guarded([this] { RadioGroupRulesClick(); }); });

    NotebookRule = new QStackedWidget(client);
    NotebookRule->setObjectName("NotebookRule");
    NotebookRule->setGeometry(300, 90, 324, 196);
    const char* pages[] = {"FoodName Rules", "FoodGroup Rules", "Ingredient Rules"};
    for (const char* name : pages) {
        auto* page = new QWidget(NotebookRule);
        page->setObjectName(name);
        NotebookRule->addWidget(page);
    }
    buildFoodNamePage(NotebookRule->widget(0));
    buildFoodGroupPage(NotebookRule->widget(1));
    buildNutrientPage(NotebookRule->widget(2));

    GraphicButton2 = imageButton(client, "ImgAdd", {}, {16, 226});
    GraphicButton4 = imageButton(client, "ImgRemove", {}, {72, 226});

    DBGrid3 = new TDBGrid(client);
    DBGrid3->setObjectName("DBGrid3");
    DBGrid3->SetColumns({{"Field", "Conditions:", 300}, {"Condition", {}, 90}, {"RValue", {}, 200}});
    DBGrid3->SetDataSource(&DataModuleFoods->dscFoodSQLRules);
    DBGrid3->setGeometry(16, 296, 608, 148);
    DBGrid3->horizontalHeader()->setStretchLastSection(true);
    DBGrid3->SetColors(Skin::gridBackground(), Qt::black, Skin::darkGreen());

    BtnOk = imageButton(client, "ImgOk", "Ok", {520, 454});
    BtnCancel = imageButton(client, "ImgCancel", "Cancel", {576, 454});

    GraphicButton2->OnClick = [this] { GraphicButton2Click(); };
    GraphicButton4->OnClick = [this] { GraphicButton4Click(); };
    BtnOk->OnClick = [this] { BtnOkClick(); };
    BtnCancel->OnClick = [this] { BtnCancelClick(); };
    RadioGroupRulesClick();
}

void TDialogFoodAdvancedSearchEdit::buildFoodNamePage(QWidget* page)
{
    LabelSearchFoodName = captionLabel(page, "Enter a word to search for:", {0, 8}, Skin::darkGreen());
    edtSearchFoodName = new QLineEdit(page);
    edtSearchFoodName->setObjectName("edtSearchFoodName");
    edtSearchFoodName->setMaxLength(kRuleTextLength);
    edtSearchFoodName->setGeometry(0, 26, 324, 22);
}

void TDialogFoodAdvancedSearchEdit::buildFoodGroupPage(QWidget* page)
{
    LabelFoodGroup = captionLabel(page, "Select a Food Group:", {0, 8}, Skin::darkGreen());
    // Keyed by the group's code: two groups may share a name, and the rule must
    // name the one the user chose.
    dbLookupComboBoxFoodGroup = new TListLookupComboBox(page);
    dbLookupComboBoxFoodGroup->setObjectName("dbLookupComboBoxFoodGroup");
    dbLookupComboBoxFoodGroup->SetKeyField("FdGrp_Cd");
    dbLookupComboBoxFoodGroup->SetListField("FdGrp_Desc");
    dbLookupComboBoxFoodGroup->SetListSource(&DataModuleFoods->dscFoodGroups2);
    dbLookupComboBoxFoodGroup->setGeometry(0, 26, 324, 22);
}

void TDialogFoodAdvancedSearchEdit::buildNutrientPage(QWidget* page)
{
    const QColor text = Skin::darkGreen();
    DBGrid2 = new TDBGrid(page);
    DBGrid2->setObjectName("DBGrid2");
    DBGrid2->SetColumns({{"Nutr_Desc", "Nutrients", 0}});
    DBGrid2->SetDataSource(&DataModuleFoods->dscNutrientDef);
    DBGrid2->setGeometry(0, 0, 200, 164);
    DBGrid2->horizontalHeader()->setStretchLastSection(true);
    DBGrid2->SetColors(Skin::gridBackground(), Qt::black, Skin::darkGreen());

    LabelCondition = captionLabel(page, "Condition:", {212, 0}, text);
    ComboBoxCondition = new QComboBox(page);
    ComboBoxCondition->setObjectName("ComboBoxCondition");
    ComboBoxCondition->setEditable(true);
    ComboBoxCondition->setInsertPolicy(QComboBox::NoInsert); // the list offers comparisons, never what was typed
    ComboBoxCondition->addItems({"=", "<", ">", "<=", ">="});
    ComboBoxCondition->setCurrentIndex(-1);
    ComboBoxCondition->lineEdit()->setMaxLength(kRuleTextLength);
    ComboBoxCondition->setGeometry(212, 18, 112, 22);

    LabelValue = captionLabel(page, "Value:", {212, 50}, text);
    edtValue = new QLineEdit(page);
    edtValue->setObjectName("edtValue");
    edtValue->setMaxLength(kRuleTextLength);
    edtValue->setGeometry(212, 68, 112, 22);

    LabelNote = captionLabel(page, "NOTE: the rule applies per 100g of Food quantitiy.", {0, 178}, text);
}

int TDialogFoodAdvancedSearchEdit::ItemIndex() const
{
    return radioItems_->checkedId();
}

void TDialogFoodAdvancedSearchEdit::SetItemIndex(int index)
{
    RadioGroupRulesItems.at(static_cast<std::size_t>(index))->setChecked(true);
    RadioGroupRulesClick();
}

void TDialogFoodAdvancedSearchEdit::showEvent(QShowEvent* event)
{
    TFormTemplateDialog::showEvent(event);
    if (!event->spontaneous())
        guarded([this] { FormShow(); });
}

void TDialogFoodAdvancedSearchEdit::FormShow()
{
    RadioGroupRulesClick();
}

void TDialogFoodAdvancedSearchEdit::RadioGroupRulesClick()
{
    NotebookRule->setCurrentIndex(std::max(ItemIndex(), 0));
}

void TDialogFoodAdvancedSearchEdit::GraphicButton2Click()
{
    switch (ItemIndex()) {
    case 0:
        AddFoodNameRule();
        break;
    case 1:
        AddFoodGroupRule();
        break;
    case 2:
        AddNutrientRule();
        break;
    default:
        break;
    }
}

void TDialogFoodAdvancedSearchEdit::AddFoodNameRule()
{
    const std::string word = edtSearchFoodName->text().toStdString();
    if (word.empty()) {
        showMessage("Please Enter a word to search for!!");
        edtSearchFoodName->setFocus();
        return;
    }
    StoreRule("FoodName", "contains", word, {});
}

void TDialogFoodAdvancedSearchEdit::AddFoodGroupRule()
{
    // The group chosen here, wherever other windows have since moved the group set.
    const Value group = dbLookupComboBoxFoodGroup->KeyValue();
    if (isNull(group)) {
        showMessage("Please Select a Food Group.");
        dbLookupComboBoxFoodGroup->setFocus();
        return;
    }
    StoreRule("FoodGroup", "is", dbLookupComboBoxFoodGroup->currentText().toStdString(), wholeNumberText(group));
}

// The condition and the value become part of the search's statement, so they
// are checked here, where the user can still correct them.
void TDialogFoodAdvancedSearchEdit::AddNutrientRule()
{
    const std::string condition = ComboBoxCondition->currentText().toStdString();
    if (!isComparison(condition)) {
        showMessage(trimmed(condition).empty() ? "Please Select a Condition."
                                               : "Condition: \"" + condition + "\" is not a comparison.");
        ComboBoxCondition->setFocus();
        return;
    }
    const std::string value = edtValue->text().toStdString();
    const auto number = readTypedNumber(value);
    if (!number) {
        showMessage(trimmed(value).empty() ? "Please Enter a Value." : "Value: \"" + value + "\" is not a number.");
        edtValue->setFocus();
        return;
    }
    RecordSet& nutrients = DataModuleFoods->tblNutrientDef;
    // Stored as the number it is: "1,5" is 1.5 to the search's statement.
    StoreRule(nutrients.fieldByName("Nutr_Desc").asString(), trimmed(condition),
              parseNumber(value) ? trimmed(value) : numberText(*number),
              wholeNumberText(nutrients.fieldByName("Nutr_No").value()));
}

void TDialogFoodAdvancedSearchEdit::StoreRule(const std::string& field, const std::string& condition,
                                              const std::string& value, const std::string& extraInfo)
{
    RecordSet& rules = DataModuleFoods->tblFoodSQLRules;
    rules.append();
    try {
        rules.fieldByName("SQL_ID").setValue(DataModuleFoods->tblFoodAdvancedSearch.fieldByName("SQL_ID").value());
        rules.fieldByName("Field").setAsString(field);
        rules.fieldByName("Condition").setAsString(condition);
        rules.fieldByName("RValue").setAsString(value);
        if (!extraInfo.empty())
            rules.fieldByName("ExtraInfo").setAsString(extraInfo);
        rules.post();
    } catch (...) {
        rules.cancel();
        throw;
    }
}

void TDialogFoodAdvancedSearchEdit::GraphicButton4Click()
{
    DataModuleFoods->tblFoodSQLRules.deleteRecord();
}

void TDialogFoodAdvancedSearchEdit::BtnOkClick()
{
    const std::string name = DataModuleFoods->tblFoodAdvancedSearch.fieldByName("SQL Name").asString();
    if (name.empty()) {
        showMessage("Please Enter the Rule Group Name");
        dbedtRuleGroupName->setFocus();
        return;
    }
    if (DataModuleFoods->RuleGroupNameTaken(name)) {
        showMessage("A search with this name already exists");
        dbedtRuleGroupName->setFocus();
        return;
    }
    CloseOk();
}

void TDialogFoodAdvancedSearchEdit::BtnCancelClick()
{
    CloseCancel();
}
