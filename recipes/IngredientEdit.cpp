#include "recipes/IngredientEdit.h"

#include "foods/AdvancedSearch.h"
#include "foods/DatabaseFood.h"
#include "foods/FoodGroups.h"
#include "foods/SimpleSearch.h"
#include "recipes/DatabaseRecipes.h"
#include "seams/Messages.h"
#include "store/Amount.h"
#include "ui/DataControls.h"
#include "ui/DialogParts.h"
#include "ui/ErrorGuard.h"
#include "ui/Skin.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QHideEvent>
#include <QShowEvent>

#include <algorithm>

TDialogIngredientEdit* DialogIngredientEdit = nullptr;

namespace {

const QColor kMeasureBoxOff(201, 214, 199); // the measure box while the amount is in grams

// A read-only box showing one field of the row: the link's half, which only the
// link button writes.
TDBText* linkBox(QWidget* parent, const QRect& at)
{
    auto* box = new TDBText(parent);
    box->setFrameShape(QFrame::StyledPanel);
    box->setFrameShadow(QFrame::Sunken);
    box->setAutoFillBackground(true);
    QPalette palette = box->palette();
    palette.setColor(QPalette::Window, Skin::gridBackground());
    box->setPalette(palette);
    box->setIndent(3);
    box->setGeometry(at);
    return box;
}

} // namespace

TDialogIngredientEdit::TDialogIngredientEdit(QWidget* parent) : TBoxDialog(parent)
{
    setObjectName(QStringLiteral("DialogIngredientEdit"));
    setWindowTitle(QStringLiteral("Ingredient"));
    resize(640, 560);
    QWidget* client = ImgMiddleCenter;
    const QColor text = DialogParts::labelColour();
    LabelTitle = DialogParts::title(client, QStringLiteral("Ingredient"));

    LabelIngredientLine =
        DialogParts::caption(client, QStringLiteral("Ingredient Line (as the recipe writes it):"), {16, 36}, text);
    EditIngredientLine = new QLineEdit(client);
    EditIngredientLine->setObjectName(QStringLiteral("EditIngredientLine"));
    EditIngredientLine->setPlaceholderText(QStringLiteral("1 ½ cups (190 g) all-purpose flour, sifted"));
    EditIngredientLine->setToolTip(QStringLiteral("Type or paste the whole line, then press Enter"));
    EditIngredientLine->setGeometry(16, 52, 602, 22);
    LabelProposal = DialogParts::caption(client, {}, {16, 78}, QColor(128, 0, 0));
    LabelProposal->setObjectName(QStringLiteral("LabelProposal"));
    LabelProposal->resize(602, 16);

    LabelIngredientName = DialogParts::caption(client, QStringLiteral("Ingredient Name:"), {16, 96}, text);
    LabelQuantity = DialogParts::caption(client, QStringLiteral("Quantity:"), {392, 96}, text);
    LabelUnit = DialogParts::caption(client, QStringLiteral("Unit:"), {482, 96}, text);

    LabelLinkHeading = DialogParts::caption(
        client, QStringLiteral("Link to Existing Nutrition Reference (Optional):"), {16, 150}, text, true);
    LabelLinkName = DialogParts::caption(client, QStringLiteral("Equivalent Ingredient Name:"), {16, 172}, text);
    LabelLinkQuantity = DialogParts::caption(client, QStringLiteral("Quantity:"), {392, 172}, text);
    LabelLinkUnit = DialogParts::caption(client, QStringLiteral("Unit:"), {482, 172}, text);
    DBEdit4 = linkBox(client, {16, 188, 366, 22});
    DBEdit5 = linkBox(client, {392, 188, 80, 22});
    DBEdit6 = linkBox(client, {482, 188, 136, 22});
    DBEdit4->setObjectName(QStringLiteral("DBEdit4"));
    DBEdit5->setObjectName(QStringLiteral("DBEdit5"));
    DBEdit6->setObjectName(QStringLiteral("DBEdit6"));

    SpeedButton1 = new QPushButton(QStringLiteral("Food Filter"), client);
    SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
    SpeedButton1->setFocusPolicy(Qt::NoFocus);
    SpeedButton1->setGeometry(16, 222, 110, 24);
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    DisplayAllFoods1 = PopupMenu1->addAction(QStringLiteral("Display All Foods"));
    DisplaybyFoodGroup1 = PopupMenu1->addAction(QStringLiteral("Display by Food Group"));
    SimpleSearch1 = PopupMenu1->addAction(QStringLiteral("Simple Search"));
    AdvancedSearch1 = PopupMenu1->addAction(QStringLiteral("Advanced Search"));

    DBGridIngredients = new TDBGrid(client);
    DBGridIngredients->setObjectName(QStringLiteral("DBGridIngredients"));
    DBGridIngredients->SetColumns({{"Desc", {}, 0}});
    DBGridIngredients->horizontalHeader()->setStretchLastSection(true);
    DBGridIngredients->SetColors(Skin::gridBackground(), Qt::black, Skin::darkGreen());
    DBGridIngredients->setGeometry(16, 252, 366, 234);

    buildMeasurePanel();

    PlaceButtons({508, 492});
    BtnOk->SetHint(QStringLiteral("Ok"));
    BtnCancel->SetHint(QStringLiteral("Cancel"));

    connect(SpeedButton1, &QPushButton::clicked, this, [this] { guarded([this] { SpeedButton1Click(); }); });
    connect(DisplayAllFoods1, &QAction::triggered, this, [this] { guarded([this] { DisplayAllFoods1Click(); }); });
    connect(DisplaybyFoodGroup1, &QAction::triggered, this,
            [this] { guarded([this] { DisplaybyFoodGroup1Click(); }); });
    connect(SimpleSearch1, &QAction::triggered, this, [this] { guarded([this] { SimpleSearch1Click(); }); });
    connect(AdvancedSearch1, &QAction::triggered, this, [this] { guarded([this] { AdvancedSearch1Click(); }); });
    connect(EditAmount, &QLineEdit::textChanged, this, [this] { guarded([this] { ComboBoxMeasuresChange(); }); });
    connect(ComboBoxMeasures, &QComboBox::currentIndexChanged, this, [this] {
        if (!refilling_)
            guarded([this] { ComboBoxMeasuresChange(); });
    });
    connect(rdByMeasure, &QRadioButton::clicked, this, [this] { guarded([this] { rdByMeasureClick(); }); });
    connect(rdInGram, &QRadioButton::clicked, this, [this] { guarded([this] { rdInGramClick(); }); });
    btnAddLinkIngredient->OnClick = [this] { btnAddLinkIngredientClick(); };
    connect(EditIngredientLine, &QLineEdit::returnPressed, this, [this] { guarded([this] { ReadIngredientLine(); }); });
    // The link button and OK take no focus: a line typed and not yet read is read by them.
    BtnOk->OnClick = [this] {
        if (guarded([this] { readTypedLine(); }))
            BtnOkClick();
    };
}

TDialogIngredientEdit::~TDialogIngredientEdit()
{
    if (foods_)
        foods_->removeMeasureListener(measureListener_);
}

void TDialogIngredientEdit::buildMeasurePanel()
{
    QWidget* client = ImgMiddleCenter;
    const QColor text = DialogParts::labelColour();
    PanelFoodMeasures = new QWidget(client);
    PanelFoodMeasures->setObjectName(QStringLiteral("PanelFoodMeasures"));
    PanelFoodMeasures->setGeometry(392, 222, 226, 200);
    PanelFoodMeasures->setAutoFillBackground(true);
    QPalette panel = PanelFoodMeasures->palette();
    panel.setColor(QPalette::Window, Skin::paleGreen());
    PanelFoodMeasures->setPalette(panel);

    LabelMeasureSetting = DialogParts::caption(PanelFoodMeasures, QStringLiteral("Measure Setting"), {10, 8}, text, true);
    LabelAmount = DialogParts::caption(PanelFoodMeasures, QStringLiteral("Amount:"), {10, 36}, text);
    EditAmount = new QLineEdit(PanelFoodMeasures);
    EditAmount->setObjectName(QStringLiteral("EditAmount"));
    EditAmount->setGeometry(70, 32, 80, 22);

    rdByMeasure = new QRadioButton(QStringLiteral("By Measure"), PanelFoodMeasures);
    rdByMeasure->setObjectName(QStringLiteral("rdByMeasure"));
    rdByMeasure->setGeometry(10, 64, 100, 20);
    rdByMeasure->setChecked(true);
    rdInGram = new QRadioButton(QStringLiteral("In Grams"), PanelFoodMeasures);
    rdInGram->setObjectName(QStringLiteral("rdInGram"));
    rdInGram->setGeometry(116, 64, 100, 20);

    ComboBoxMeasures = new QComboBox(PanelFoodMeasures);
    ComboBoxMeasures->setObjectName(QStringLiteral("ComboBoxMeasures"));
    ComboBoxMeasures->setEditable(false);
    ComboBoxMeasures->setGeometry(10, 94, 206, 22);
    setMeasureBoxEnabled(true);

    LabelAmountIngram = DialogParts::caption(PanelFoodMeasures, {}, {10, 126}, text, true);
    LabelAmountIngram->setObjectName(QStringLiteral("LabelAmountIngram"));
    LabelAmountIngram->resize(206, 18);

    btnAddLinkIngredient = DialogParts::imageButton(PanelFoodMeasures, QStringLiteral("ImgAdd"),
                                                    QStringLiteral("Add/Update Ingredient Link"), {});
    btnAddLinkIngredient->setObjectName(QStringLiteral("btnAddLinkIngredient"));
    btnAddLinkIngredient->move(PanelFoodMeasures->width() - btnAddLinkIngredient->width() - 8,
                               PanelFoodMeasures->height() - btnAddLinkIngredient->height() - 8);
}

void TDialogIngredientEdit::BindDataModules(TDataModuleFoods& foods, TDataModuleRecipes& recipes)
{
    DataSource& ingredient = recipes.dscRecipeIngredientEdit;
    DBEdit2 = AddBox(ingredient, "Ingredient Name", {16, 112, 366, 22});
    DBEdit1 = AddBox(ingredient, "Quantity", {392, 112, 80, 22}, LabelQuantity->text());
    DBEdit3 = AddBox(ingredient, "Unit", {482, 112, 136, 22});
    DBEdit2->setObjectName(QStringLiteral("DBEdit2"));
    DBEdit1->setObjectName(QStringLiteral("DBEdit1"));
    DBEdit3->setObjectName(QStringLiteral("DBEdit3"));
    // Typing order: the line as written, then the food list and the measure panel.
    setTabOrder(EditIngredientLine, DBEdit2);
    setTabOrder(DBEdit2, DBEdit1);
    setTabOrder(DBEdit1, DBEdit3);
    setTabOrder(DBEdit3, DBGridIngredients);
    // The three boxes typed by hand take over from a line as written.
    for (TDBEdit* box : {DBEdit2, DBEdit1, DBEdit3})
        connect(box, &QLineEdit::textEdited, this, [this] {
            if (EditIngredientLine->text().isEmpty())
                return;
            EditIngredientLine->clear();
            proposal_.reset();
            LabelProposal->clear();
            DataModuleRecipes->IngredientLines.erase(DataModuleRecipes->tblRecipeIngredientEdit.currentRowId());
        });

    DBEdit4->SetDataSource(&ingredient);
    DBEdit4->SetDataField("NDB_Desc");
    DBEdit5->SetDataSource(&ingredient);
    DBEdit5->SetDataField("NDB_Quantity");
    DBEdit6->SetDataSource(&ingredient);
    DBEdit6->SetDataField("NDB_Unit");

    // Runs after the listeners added before it: the main window refreshes its own box first.
    foods_ = &foods;
    measureListener_ = foods.addMeasureListener([this] { RefreshMeasures(); });
}

void TDialogIngredientEdit::showEvent(QShowEvent* event)
{
    // The food list follows the Foods page only while the dialog shows: hidden, its
    // grid would lay out every listing the page makes, all the foods included.
    if (foods_ && !DBGridIngredients->DataSourceOf())
        DBGridIngredients->SetDataSource(&foods_->dscFoodDesc);
    TBoxDialog::showEvent(event);
    if (!event->spontaneous())
        guarded([this] { FormShow(); });
}

void TDialogIngredientEdit::hideEvent(QHideEvent* event)
{
    TBoxDialog::hideEvent(event);
    if (!event->spontaneous())
        DBGridIngredients->SetDataSource(nullptr);
}

void TDialogIngredientEdit::FormShow()
{
    proposal_.reset();
    LabelProposal->clear();
    EditIngredientLine->setText(QString::fromStdString(DataModuleRecipes->IngredientLineOf()));
    EditIngredientLine->setModified(false);
    RefreshMeasures();
    EditIngredientLine->setFocus();
}

void TDialogIngredientEdit::readTypedLine()
{
    if (EditIngredientLine->isModified())
        ReadIngredientLine();
}

void TDialogIngredientEdit::ReadIngredientLine()
{
    EditIngredientLine->setModified(false);
    const QString line = EditIngredientLine->text().trimmed();
    DataModuleRecipes->SetIngredientLine(line.toStdString());
    if (line.isEmpty()) {
        proposal_.reset();
        LabelProposal->clear();
        return;
    }
    proposal_ = DataModuleRecipes->Linker().propose(line);
    // The candidates lead the food list, the rest follow as before; the list stands on the best.
    std::vector<std::int32_t> candidates;
    for (const FoodCandidate& candidate : proposal_->candidates)
        candidates.push_back(candidate.ndbNo);
    TDataModuleFoods& foods = *DataModuleFoods;
    foods.QueryFoodsCandidatesFirst(candidates);
    foods.ShowSearchResults();
    foods.dscFoodDesc.dataSet()->first();
    showProposal();
}

void TDialogIngredientEdit::showProposal()
{
    if (!proposal_)
        return;
    const std::optional<IngredientLink>& link = proposal_->link;
    if (!link) {
        LabelProposal->setText(proposal_->candidates.empty() ? QStringLiteral("No food fits this line.")
                                                             : QStringLiteral("No link proposed: ") + proposal_->reason);
        return;
    }
    proposing_ = true;
    (link->byGram ? rdInGram : rdByMeasure)->setChecked(true);
    setMeasureBoxEnabled(!link->byGram);
    if (!link->byGram)
        ComboBoxMeasures->setCurrentIndex(ComboBoxMeasures->findText(link->measure));
    EditAmount->setText(QString::number(link->quantity, 'g', 6));
    proposing_ = false;
    ComboBoxMeasuresChange();
    LabelProposal->setText(QStringLiteral("Proposed: %1 (%2 g), %3. Press the link button to link it.")
                               .arg(link->byGram ? QStringLiteral("in grams")
                                                 : QString::number(link->quantity, 'g', 6) + u' ' + link->measure)
                               .arg(QString::number(link->weightInGram, 'f', 1))
                               .arg(proposal_->reason));
}

void TDialogIngredientEdit::RefreshMeasures()
{
    {
        const QSignalBlocker quiet(ComboBoxMeasures);
        refilling_ = true;
        ComboBoxMeasures->clear();
        // A copy: the module's list is rebuilt for whoever asks next.
        MeasureList = DataModuleFoods->GetMeasures();
        for (const MeasureEntry& entry : MeasureList)
            ComboBoxMeasures->addItem(QString::fromStdString(entry.Description));
        refilling_ = false;
    }
    // With no measure nothing is chosen and GramWeight keeps its value, but the
    // label no longer shows the previous food's grams.
    if (!MeasureList.empty())
        ComboBoxMeasures->setCurrentIndex(0);
    ComboBoxMeasuresChange();
    // Another food chosen while a line's proposal stands: the line weighed for it.
    RecordSet* foods = DataModuleFoods->dscFoodDesc.dataSet();
    if (proposal_ && !proposing_ && isVisible() && foods && foods->active() && !foods->isEmpty()) {
        const auto food = static_cast<std::int32_t>(foods->fieldByName("NDB_No").asInteger());
        if (!proposal_->link || proposal_->link->ndbNo != food) {
            proposal_ = DataModuleRecipes->Linker().proposeFor(*proposal_, food);
            showProposal();
        }
    }
}

void TDialogIngredientEdit::ComboBoxMeasuresChange()
{
    const QString typed = EditAmount->text();
    const double amount = readAmount(typed.toStdString());
    if (!rdByMeasure->isChecked()) {
        LabelAmountIngram->setText({});
        GramWeight = amount;
        return;
    }
    // The dialog works out its own grams: the Foods page's shared gram weight
    // and its "Per Measure" figures stay the Foods page's own.
    const int index = ComboBoxMeasures->currentIndex();
    const bool chosen = index >= 0 && index < static_cast<int>(MeasureList.size());
    if (chosen)
        GramWeight = MeasureList[static_cast<std::size_t>(index)].GramsPerUnit * amount;
    QString label = QStringLiteral("Amount (g): ");
    if (chosen && !typed.isEmpty() && isAllowedGrams(GramWeight))
        label += QString::number(GramWeight, 'g', 15);
    LabelAmountIngram->setText(label);
}

void TDialogIngredientEdit::setMeasureBoxEnabled(bool enabled)
{
    ComboBoxMeasures->setEnabled(enabled);
    QPalette palette = ComboBoxMeasures->palette();
    const QColor background = enabled ? QColor(Qt::white) : kMeasureBoxOff;
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::Base, background);
        palette.setColor(group, QPalette::Button, background);
    }
    ComboBoxMeasures->setPalette(palette);
}

void TDialogIngredientEdit::rdByMeasureClick()
{
    setMeasureBoxEnabled(true);
    ComboBoxMeasuresChange();
}

void TDialogIngredientEdit::rdInGramClick()
{
    setMeasureBoxEnabled(false);
    ComboBoxMeasuresChange();
}

void TDialogIngredientEdit::SpeedButton1Click()
{
    PopupMenu1->popup(SpeedButton1->mapToGlobal(QPoint(0, SpeedButton1->height())));
}

void TDialogIngredientEdit::foodListChanged(FoodListFilter filter, const std::string& name)
{
    if (FoodListChanged)
        FoodListChanged(filter, name);
}

void TDialogIngredientEdit::DisplayAllFoods1Click()
{
    DataModuleFoods->QueryAllFoods();
    DataModuleFoods->ShowSearchResults();
    foodListChanged(FoodListFilter::AllFoods, {});
}

void TDialogIngredientEdit::DisplaybyFoodGroup1Click()
{
    RecordSet& groups = DataModuleFoods->tblFoodGroups2;
    const auto store = [&] {
        groups.applyUpdates();
        groups.commitUpdates();
    };
    if (DialogFoodGroups->ShowModalStoring(store) != mrOk) {
        groups.cancelUpdates();
        return;
    }
    // Renamed or deleted groups change the Foods page's tree even when no group is left to show.
    std::string group;
    if (!groups.isEmpty()) {
        group = groups.fieldByName("FdGrp_Desc").asString();
        DataModuleFoods->ShowFoodsOfGroup(group);
    }
    foodListChanged(FoodListFilter::FoodGroup, group);
}

void TDialogIngredientEdit::SimpleSearch1Click()
{
    if (DialogSimpleSearch->ShowModal() != mrOk)
        return;
    DataModuleFoods->ShowSearchResults();
    foodListChanged(FoodListFilter::SimpleSearch, DialogSimpleSearch->EditSearchSimple->text().toStdString());
}

void TDialogIngredientEdit::AdvancedSearch1Click()
{
    TDataModuleFoods& foods = *DataModuleFoods;
    if (DialogFoodAdvancedSearch->ShowModalStoring([&] { foods.ApplyRuleGroupEdits(); }) != mrOk) {
        foods.CancelRuleGroupEdits();
        return;
    }
    // With no search left, or one whose rule cannot run (it has said why), every
    // food is listed: the previous listing must not pass for this search's.
    const std::string name = foods.tblFoodAdvancedSearch.isEmpty()
                                 ? std::string()
                                 : foods.tblFoodAdvancedSearch.fieldByName("SQL Name").asString();
    if (name.empty() || !foods.RunAdvancedSearch(name)) {
        DisplayAllFoods1Click();
        return;
    }
    foods.ShowSearchResults();
    foodListChanged(FoodListFilter::AdvancedSearch, name);
}

void TDialogIngredientEdit::btnAddLinkIngredientClick()
{
    readTypedLine();
    RecordSet* foods = DataModuleFoods->dscFoodDesc.dataSet();
    if (!foods || !foods->active() || foods->isEmpty())
        return; // no food to link
    const bool inGrams = rdInGram->isChecked();
    // Without a measure the grams shown would be another food's.
    if (!inGrams && MeasureList.empty()) {
        showMessage("This food has no household measure: link it In Grams.");
        return;
    }
    ComboBoxMeasuresChange(); // the grams of what the boxes show now
    if (!isAllowedGrams(GramWeight)) {
        showMessage(kAmountRuleMessage);
        EditAmount->setFocus();
        return;
    }
    RecordSet& ingredient = DataModuleRecipes->tblRecipeIngredientEdit;
    ingredient.fieldByName("NDB_No").setValue(foods->fieldByName("NDB_No").value());
    ingredient.fieldByName("NDB_Quantity").setAsFloat(readAmount(EditAmount->text().toStdString()));
    ingredient.fieldByName("NDB_ByGram").setAsBoolean(inGrams);
    // The measure shown is stored in either mode; one matching no entry of this
    // food leaves no measure, rather than another food's.
    Field& measure = ingredient.fieldByName("NDB_Weight_ID");
    const std::string shown = ComboBoxMeasures->currentText().toStdString();
    const auto match = std::find_if(MeasureList.begin(), MeasureList.end(),
                                    [&](const MeasureEntry& entry) { return entry.Description == shown; });
    if (match != MeasureList.end())
        measure.setAsFloat(match->WeightId);
    else
        measure.clear();
    ingredient.fieldByName("WeightInGram").setAsFloat(GramWeight);
}
