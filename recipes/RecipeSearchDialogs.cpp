#include "recipes/RecipeSearchDialogs.h"

#include "foods/DatabaseFood.h"
#include "recipes/DatabaseRecipes.h"
#include "seams/Messages.h"
#include "store/Amount.h"
#include "store/FieldTexts.h"
#include "store/Sqlite.h"
#include "store/Text.h"
#include "ui/DataControls.h"
#include "ui/ErrorGuard.h"
#include "ui/FormParts.h"
#include "ui/GraphicButton.h"
#include "ui/Skin.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QShowEvent>
#include <QStackedWidget>

TDialogRecipeSimpleSearch* DialogRecipeSimpleSearch = nullptr;
TDialogRecipeAdvancedSearchEdit* DialogRecipeAdvancedSearchEdit = nullptr;
TDialogRecipeAdvancedSearch* DialogRecipeAdvancedSearch = nullptr;

namespace {

// What a rule row's RValue and Keys columns hold.
constexpr std::size_t kRuleTextLength = 255;
// The food list shows this many matches of its filter at most; typing narrows it.
constexpr int kFoodsListed = 300;

struct EnergyPart {
    const char* name;
    int nutrient;
};
constexpr EnergyPart kEnergyParts[] = {{"Protein", 203}, {"Fat", 204}, {"Carbohydrate", 205}, {"Alcohol", 221}};

QListWidget* checkList(QWidget* page, const char* name, const QString& caption)
{
    captionLabel(page, caption, {0, 8}, Skin::darkGreen());
    auto* list = new QListWidget(page);
    list->setObjectName(name);
    list->setGeometry(0, 26, 324, 184);
    return list;
}

QComboBox* containsCombo(QWidget* page, const char* name)
{
    auto* combo = new QComboBox(page);
    combo->setObjectName(name);
    combo->addItems({kContains, kDoesNotContain});
    combo->setGeometry(0, 26, 150, 22);
    return combo;
}

// Names and keys of a set's rows, checkable, with the ones checked before kept checked.
void fillCheckList(QListWidget* list, RecordSet& set, const char* nameField, const char* keyField)
{
    const auto names = fieldTexts(set, nameField);
    const auto keys = fieldTexts(set, keyField);
    list->clear();
    for (std::size_t i = 0; i < names.size(); ++i) {
        auto* item = new QListWidgetItem(QString::fromStdString(names[i]), list);
        item->setData(Qt::UserRole, QString::fromStdString(keys[i]));
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
}

} // namespace

// ---------------------------------------------------------------------------
// Keyword

TDialogRecipeSimpleSearch::TDialogRecipeSimpleSearch(QWidget* parent) : TDialogSimpleSearch(parent)
{
    setObjectName("DialogRecipeSimpleSearch");
}

TDialogRecipeSimpleSearch::~TDialogRecipeSimpleSearch()
{
    DialogRecipeSimpleSearch = nullptr;
}

void TDialogRecipeSimpleSearch::ButtonSearchClick()
{
    const std::string keyword = trimmed(EditSearchSimple->text().toStdString());
    if (keyword.empty())
        return;
    RecipeSearches& searches = DataModuleRecipes->Searches;
    searches.SearchRecipesByKeyword(keyword);
    searches.AddSearchHistory(keyword);
    keyword_ = keyword;
    CloseOk();
}

// ---------------------------------------------------------------------------
// Rule editor

TDialogRecipeAdvancedSearchEdit::TDialogRecipeAdvancedSearchEdit(QWidget* parent) : TFormTemplateDialog(parent)
{
    setObjectName("DialogRecipeAdvancedSearchEdit");
    setWindowTitle("Recipe Search Rules");
    resize(640, 560);
    QWidget* client = ImgMiddleCenter;
    const QColor text = Skin::darkGreen();
    RecipeSearches& searches = DataModuleRecipes->Searches;
    LabelTitle = captionLabel(client, "Recipe Search Rules", {12, 6}, Qt::white, true);

    captionLabel(client, "Search Name:", {16, 38}, text);
    dbedtSearchName = new TDBEdit(client);
    dbedtSearchName->setObjectName("dbedtSearchName");
    dbedtSearchName->SetDataSource(&searches.dscRecipeAdvancedSearch);
    dbedtSearchName->SetDataField("SQL Name");
    dbedtSearchName->setGeometry(16, 56, 608, 22);

    RadioGroupRules = new QGroupBox(" Select a Rule ", client);
    RadioGroupRules->setObjectName("RadioGroupRules");
    RadioGroupRules->setGeometry(16, 90, 268, 232);
    QPalette caption = RadioGroupRules->palette();
    caption.setColor(QPalette::WindowText, text);
    RadioGroupRules->setPalette(caption);
    radioItems_ = new QButtonGroup(this);
    const char* items[kRuleKinds] = {"a nutrient per serve ...",  "a share of the energy ...",
                                     "cuisine is one of ...",     "recipe type is one of ...",
                                     "contains a food ...",       "contains an ingredient word ...",
                                     "ready in at most ... minutes", "serves at least ..."};
    NotebookRule = new QStackedWidget(client);
    NotebookRule->setObjectName("NotebookRule");
    NotebookRule->setGeometry(300, 90, 324, 232);
    for (int i = 0; i < kRuleKinds; ++i) {
        auto* item = new QRadioButton(items[i], RadioGroupRules);
        item->setGeometry(10, 24 + i * 25, 250, 20);
        radioItems_->addButton(item, i);
        RadioGroupRulesItems[std::size_t(i)] = item;
        NotebookRule->addWidget(new QWidget(NotebookRule));
    }
    connect(radioItems_, &QButtonGroup::idClicked, this,
            [this](int id) { guarded([this, id] { SetRuleKind(RuleKind(id)); }); });

    QWidget* nutrients = page(NutrientRule);
    DBGridNutrients = new TDBGrid(nutrients);
    DBGridNutrients->setObjectName("DBGridNutrients");
    DBGridNutrients->SetColumns({{"Nutr_Desc", "Nutrients", 0}});
    DBGridNutrients->SetDataSource(&DataModuleFoods->dscNutrientDef);
    DBGridNutrients->setGeometry(0, 0, 200, 210);
    DBGridNutrients->horizontalHeader()->setStretchLastSection(true);
    DBGridNutrients->SetColors(Skin::gridBackground(), Qt::black, Skin::darkGreen());
    buildComparedNumber(nutrients, 0, "per serve", 0);

    QWidget* energy = page(EnergyRule);
    captionLabel(energy, "Energy from:", {0, 8}, text);
    ComboBoxPart = new QComboBox(energy);
    ComboBoxPart->setObjectName("ComboBoxPart");
    for (const EnergyPart& part : kEnergyParts)
        ComboBoxPart->addItem(part.name, part.nutrient);
    ComboBoxPart->setGeometry(0, 26, 200, 22);
    buildComparedNumber(energy, 1, "% of energy", 60);

    ListCuisines = checkList(page(CuisineRule), "ListCuisines", "Tick the cuisines:");
    ListTypes = checkList(page(TypeRule), "ListTypes", "Tick the recipe types:");

    QWidget* food = page(FoodRule);
    captionLabel(food, "The recipe:", {0, 8}, text);
    ComboBoxFoodContains = containsCombo(food, "ComboBoxFoodContains");
    EditFoodFilter = new QLineEdit(food);
    EditFoodFilter->setObjectName("EditFoodFilter");
    EditFoodFilter->setPlaceholderText("Type part of a food's name");
    EditFoodFilter->setGeometry(0, 56, 324, 22);
    ListFoods = new QListWidget(food);
    ListFoods->setObjectName("ListFoods");
    ListFoods->setGeometry(0, 84, 324, 126);
    connect(EditFoodFilter, &QLineEdit::textChanged, this, [this] { guarded([this] { FillFoodList(); }); });

    QWidget* word = page(WordRule);
    captionLabel(word, "Its ingredient lines:", {0, 8}, text);
    ComboBoxWordContains = containsCombo(word, "ComboBoxWordContains");
    captionLabel(word, "Enter a word to search for:", {0, 60}, text);
    EditWord = new QLineEdit(word);
    EditWord->setObjectName("EditWord");
    EditWord->setMaxLength(int(kRuleTextLength));
    EditWord->setGeometry(0, 78, 324, 22);

    const std::pair<RuleKind, const char*> plainNumbers[] = {{TimeRule, "Preparation and cooking, at most (minutes):"},
                                                             {ServesRule, "Number of serves, at least:"}};
    for (int i = 0; i < 2; ++i) {
        QWidget* numberPage = page(plainNumbers[i].first);
        captionLabel(numberPage, plainNumbers[i].second, {0, 8}, text);
        auto* edit = new QLineEdit(numberPage);
        edit->setObjectName(i == 0 ? "EditMinutes" : "EditServes");
        edit->setGeometry(0, 26, 112, 22);
        EditNumber[std::size_t(2 + i)] = edit;
    }

    BtnAddRule = imageButton(client, "ImgAdd", "Add Rule", {16, 330});
    BtnRemoveRule = imageButton(client, "ImgRemove", "Remove Rule", {72, 330});
    DBGridRules = new TDBGrid(client);
    DBGridRules->setObjectName("DBGridRules");
    DBGridRules->SetColumns({{"Field", "Conditions:", 260}, {"Condition", {}, 110}, {"RValue", "Value", 200}});
    DBGridRules->SetDataSource(&searches.dscRecipeSQLRules);
    DBGridRules->setGeometry(16, 386, 608, 108);
    DBGridRules->horizontalHeader()->setStretchLastSection(true);
    DBGridRules->SetColors(Skin::gridBackground(), Qt::black, Skin::darkGreen());
    BtnOk = imageButton(client, "ImgOk", "Ok", {520, 500});
    BtnCancel = imageButton(client, "ImgCancel", "Cancel", {576, 500});

    BtnAddRule->OnClick = [this] { BtnAddRuleClick(); };
    BtnRemoveRule->OnClick = [this] { BtnRemoveRuleClick(); };
    BtnOk->OnClick = [this] { BtnOkClick(); };
    BtnCancel->OnClick = [this] { CloseCancel(); };
    SetRuleKind(NutrientRule);
}

TDialogRecipeAdvancedSearchEdit::~TDialogRecipeAdvancedSearchEdit()
{
    DialogRecipeAdvancedSearchEdit = nullptr;
}

QWidget* TDialogRecipeAdvancedSearchEdit::page(RuleKind kind)
{
    return NotebookRule->widget(int(kind));
}

void TDialogRecipeAdvancedSearchEdit::buildComparedNumber(QWidget* page, int index, const QString& unit, int top)
{
    const QColor text = Skin::darkGreen();
    const int left = index == 0 ? 212 : 0;
    captionLabel(page, "Condition:", {left, top}, text);
    auto* condition = new QComboBox(page);
    condition->setObjectName(index == 0 ? "ComboBoxCondition" : "ComboBoxShareCondition");
    for (const std::string& comparison : ruleComparisons())
        condition->addItem(QString::fromStdString(comparison));
    condition->setCurrentIndex(-1);
    condition->setGeometry(left, top + 18, 112, 22);
    ComboBoxCondition[std::size_t(index)] = condition;
    captionLabel(page, "Value (" + unit + "):", {left, top + 50}, text);
    auto* value = new QLineEdit(page);
    value->setObjectName(index == 0 ? "EditValue" : "EditShare");
    value->setGeometry(left, top + 68, 112, 22);
    EditNumber[std::size_t(index)] = value;
}

void TDialogRecipeAdvancedSearchEdit::showEvent(QShowEvent* event)
{
    TFormTemplateDialog::showEvent(event);
    if (event->spontaneous())
        return;
    guarded([this] {
        fillCheckList(ListCuisines, DataModuleRecipes->tblRecipeCuisine, "Cuisine", "Cuisine_ID");
        fillCheckList(ListTypes, DataModuleRecipes->tblRecipeTypes, "Recipe Type", "RTYPE_ID");
        FillFoodList();
        dbedtSearchName->setFocus();
    });
}

void TDialogRecipeAdvancedSearchEdit::SetRuleKind(RuleKind kind)
{
    RadioGroupRulesItems.at(std::size_t(kind))->setChecked(true);
    NotebookRule->setCurrentIndex(int(kind));
}

void TDialogRecipeAdvancedSearchEdit::FillFoodList()
{
    // A plain LIKE: the filter only narrows a list the user then picks from.
    std::string pattern = "%";
    for (char c : trimmed(EditFoodFilter->text().toStdString()))
        pattern += (c == '%' || c == '_' || c == '\\') ? std::string{'\\', c} : std::string(1, c);
    pattern += '%';
    auto foods = DataModuleRecipes->DatabaseRecipe.sqlite().prepare(
        "SELECT NDB_No, \"Desc\" FROM \"FOOD_DES.db\" WHERE \"Desc\" LIKE ?1 ESCAPE '\\' ORDER BY \"Desc\" LIMIT "
        + std::to_string(kFoodsListed));
    foods.bindText(1, pattern);
    ListFoods->clear();
    while (foods.step()) {
        auto* item = new QListWidgetItem(QString::fromStdString(foods.columnText(1)), ListFoods);
        item->setData(Qt::UserRole, QString::number(foods.columnInt(0)));
    }
}

std::optional<std::string> TDialogRecipeAdvancedSearchEdit::typedNumber(int index, const char* what)
{
    QLineEdit* edit = EditNumber.at(std::size_t(index));
    const std::string typed = edit->text().toStdString();
    const auto number = readTypedNumber(typed);
    if (!number) {
        showMessage(trimmed(typed).empty() ? "Please Enter a Value."
                                           : std::string(what) + ": \"" + typed + "\" is not a number.");
        edit->setFocus();
        return std::nullopt;
    }
    return numberText(*number);
}

std::optional<RecipeRule> TDialogRecipeAdvancedSearchEdit::chosenOfList(QListWidget* list, const char* kind,
                                                                        const char* what)
{
    std::string names;
    std::string keys;
    for (int row = 0; row < list->count(); ++row) {
        const QListWidgetItem* item = list->item(row);
        if (item->checkState() != Qt::Checked)
            continue;
        names += (names.empty() ? "" : ", ") + item->text().toStdString();
        keys += (keys.empty() ? "" : ",") + item->data(Qt::UserRole).toString().toStdString();
    }
    if (keys.empty()) {
        showMessage(std::string("Please tick at least one ") + what + ".");
        list->setFocus();
        return std::nullopt;
    }
    if (keys.size() > kRuleTextLength) {
        showMessage(std::string("Too many ticked for one rule: tick fewer ") + what + "s.");
        return std::nullopt;
    }
    return RecipeRule{kind, keys, kIsOneOf, utf8Prefix(names, kRuleTextLength)};
}

std::optional<RecipeRule> TDialogRecipeAdvancedSearchEdit::ruleOfPage(std::string& field)
{
    const auto comparison = [this](int index) -> std::optional<std::string> {
        const std::string chosen = ComboBoxCondition.at(std::size_t(index))->currentText().toStdString();
        if (chosen.empty()) {
            showMessage("Please Select a Condition.");
            ComboBoxCondition.at(std::size_t(index))->setFocus();
            return std::nullopt;
        }
        return chosen;
    };
    switch (RuleKind(radioItems_->checkedId())) {
    case NutrientRule: {
        RecordSet& nutrients = DataModuleFoods->tblNutrientDef;
        const auto condition = comparison(0);
        const auto value = condition ? typedNumber(0, "Value") : std::nullopt;
        if (!value)
            return std::nullopt;
        field = nutrients.fieldByName("Nutr_Desc").asString() + " per serve (" + nutrients.fieldByName("Units").asString()
            + ")";
        return RecipeRule{"nutrient", std::to_string(nutrients.fieldByName("Nutr_No").asInteger()), *condition, *value};
    }
    case EnergyRule: {
        const auto condition = comparison(1);
        const auto value = condition ? typedNumber(1, "Value") : std::nullopt;
        if (!value)
            return std::nullopt;
        field = ComboBoxPart->currentText().toStdString() + " % of energy";
        return RecipeRule{"energy", std::to_string(ComboBoxPart->currentData().toInt()), *condition, *value};
    }
    case CuisineRule:
        field = "Cuisine";
        return chosenOfList(ListCuisines, "cuisine", "cuisine");
    case TypeRule:
        field = "Recipe Type";
        return chosenOfList(ListTypes, "type", "recipe type");
    case FoodRule: {
        const QListWidgetItem* food = ListFoods->currentItem();
        if (!food) {
            showMessage("Please Select a Food.");
            ListFoods->setFocus();
            return std::nullopt;
        }
        field = "Food";
        return RecipeRule{"food", food->data(Qt::UserRole).toString().toStdString(),
                          ComboBoxFoodContains->currentText().toStdString(), food->text().toStdString()};
    }
    case WordRule: {
        const std::string word = trimmed(EditWord->text().toStdString());
        if (word.empty()) {
            showMessage("Please Enter a word to search for!!");
            EditWord->setFocus();
            return std::nullopt;
        }
        field = "Ingredient word";
        return RecipeRule{"word", {}, ComboBoxWordContains->currentText().toStdString(), word};
    }
    case TimeRule: {
        const auto minutes = typedNumber(2, "Minutes");
        if (!minutes)
            return std::nullopt;
        field = "Total time (minutes)";
        return RecipeRule{"time", {}, "<=", *minutes};
    }
    case ServesRule: {
        const auto serves = typedNumber(3, "Serves");
        if (!serves)
            return std::nullopt;
        field = "Number of Serves";
        return RecipeRule{"serves", {}, ">=", *serves};
    }
    }
    return std::nullopt;
}

void TDialogRecipeAdvancedSearchEdit::BtnAddRuleClick()
{
    std::string field;
    if (const auto rule = ruleOfPage(field))
        DataModuleRecipes->Searches.AddRule(field, *rule);
}

void TDialogRecipeAdvancedSearchEdit::BtnRemoveRuleClick()
{
    RecordSet& rules = DataModuleRecipes->Searches.tblRecipeSQLRules;
    if (!rules.isEmpty())
        rules.deleteRecord();
}

void TDialogRecipeAdvancedSearchEdit::BtnOkClick()
{
    RecipeSearches& searches = DataModuleRecipes->Searches;
    const std::string name = trimmed(dbedtSearchName->text().toStdString());
    if (name.empty()) {
        showMessage("Please Enter the Search Name");
        dbedtSearchName->setFocus();
        return;
    }
    if (searches.SearchNameTaken(name)) {
        showMessage("A search with this name already exists");
        dbedtSearchName->setFocus();
        return;
    }
    searches.tblRecipeAdvancedSearch.fieldByName("SQL Name").setAsString(name);
    CloseOk();
}

// ---------------------------------------------------------------------------
// Saved searches

TDialogRecipeAdvancedSearch::TDialogRecipeAdvancedSearch(QWidget* parent)
    : TListDialog({"DialogRecipeAdvancedSearch", "Advanced Search", &DataModuleRecipes->Searches.dscRecipeAdvancedSearch,
                   "SQL Name", "Saved Recipe Searches", "Create New Advanced Search", "Edit Selected Advanced Search",
                   "Delete Select Advanced Search"},
                  parent)
{
}

TDialogRecipeAdvancedSearch::~TDialogRecipeAdvancedSearch()
{
    DialogRecipeAdvancedSearch = nullptr;
}

void TDialogRecipeAdvancedSearch::BtnCreateClick()
{
    RecipeSearches& searches = DataModuleRecipes->Searches;
    editRow([&] { searches.BeginNewSearch(); }, *DialogRecipeAdvancedSearchEdit, [&] { searches.PostSearch(); },
            [&] { searches.CancelSearch(); });
}

void TDialogRecipeAdvancedSearch::BtnEditClick()
{
    RecipeSearches& searches = DataModuleRecipes->Searches;
    if (searches.tblRecipeAdvancedSearch.isEmpty())
        return;
    editRow([&] { searches.BeginEditSearch(); }, *DialogRecipeAdvancedSearchEdit, [&] { searches.PostSearch(); },
            [&] { searches.CancelSearch(); });
}

void TDialogRecipeAdvancedSearch::BtnDeleteClick()
{
    DataModuleRecipes->Searches.DeleteSearch();
}
