#include "app/MainForm.h"

#include "app/InfoBasePage.h"
#include "app/InternetShortcut.h"
#include "app/LinkLabel.h"
#include "app/MainFormArt.h"
#include "foods/DatabaseFood.h"
#include "foods/Preference.h"
#include "recipes/DatabaseRecipes.h"
#include "recipes/IngredientEdit.h"
#include "store/Sqlite.h"
#include "ui/AdvButton.h"
#include "ui/ButtonContainer.h"
#include "ui/ErrorGuard.h"
#include "ui/Fonts.h"
#include "ui/FormParts.h"
#include "ui/GraphicButton.h"
#include "ui/Skin.h"
#include "ui/SkinPicture.h"
#include "ui/TemplateDialog.h"
#include "ui/WindowDrag.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QProxyStyle>
#include <QScreen>
#include <QSplitter>
#include <QStackedWidget>
#include <QTimer>

TFormMain* FormMain = nullptr;

namespace {

constexpr int kDesignedWidth = 772; // controls anchored top-right keep their distance to this edge
constexpr int kHeaderHeight = 77;
constexpr int kBottomHeight = 40;
constexpr int kBorderWidth = 16;
constexpr int kHintPauseMs = 300;

// How long the pointer rests on a control before its hint shows.
class HintPauseStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget, QStyleHintReturn* data) const override
    {
        if (hint == SH_ToolTip_WakeUpDelay)
            return kHintPauseMs;
        return QProxyStyle::styleHint(hint, option, widget, data);
    }
};

SkinPicture* painted(QWidget* parent, std::function<void(QPainter&, const QRect&)> painter)
{
    auto* picture = new SkinPicture(parent);
    picture->SetPainter(std::move(painter));
    return picture;
}

TAdvButton* pageTab(QWidget* parent, const QString& caption)
{
    auto* tab = new TAdvButton(parent);
    tab->SetImage(buttonImage("TabButtonUp"));
    tab->SetImageDown(buttonImage("TabButtonDown"));
    tab->SetFont({formFont(16), Skin::tabText()});
    tab->SetFontOver({formFont(16), Skin::tabTextIdle()});
    tab->SetGroupIndex(1);
    tab->SetCaption(caption);
    tab->resize(106, 31);
    return tab;
}

} // namespace

QWidget* TFormMain::colouredPanel(QWidget* parent, const QColor& colour)
{
    auto* panel = new QWidget(parent);
    panel->setAutoFillBackground(true);
    QPalette palette = panel->palette();
    palette.setColor(QPalette::Window, colour);
    panel->setPalette(palette);
    return panel;
}

TFormMain::TFormMain()
    : LinkColorHover(Skin::linkHover()), LinkColorNormal(Skin::linkNormal()),
      headerDrag_(new WindowDrag(this, {[this](double x, double y) { ImgHeaderCenterMouseDown(x, y); },
                                        [this](double x, double y) { ImgHeaderCenterMouseMove(x, y); },
                                        [this] { ImgHeaderCenterMouseUp(); },
                                        [this] { ImgHeaderCenterDblClick(); }}))
{
    setObjectName("FormMain");
    setWindowTitle("Main Form");
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setMinimumSize(780, 580);
    setFont(formFont());

    NotebookClient = new QStackedWidget(this);
    PageRecipes = new QWidget;
    PageFoods = new QWidget;
    PageInfoBase = new QWidget;
    NotebookClient->addWidget(PageRecipes);
    NotebookClient->addWidget(PageFoods);
    NotebookClient->addWidget(PageInfoBase);
    NotebookClient->setCurrentIndex(1); // as designed; creation shows the Recipes page

    buildHeader();
    buildBottomBar();
    buildRecipesPage();
    buildFoodsPage();
    buildInfoBasePage();
    ImgLeftBroder = painted(this, [](QPainter& p, const QRect& r) { MainFormArt::paintSideBorder(p, r, true); });
    ImgRightBorder = painted(this, [](QPainter& p, const QRect& r) { MainFormArt::paintSideBorder(p, r, false); });

    Timer1 = new QTimer(this);
    Timer1->setInterval(20);
    connect(Timer1, &QTimer::timeout, this, [this] { guarded([this] { Timer1Timer(); }); });

    resize(kDesignedWidth, 546);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    setAlphaBlend(true, 40);
    FormCreate();
}

TFormMain::~TFormMain()
{
    if (measureListener_ && DataModuleFoods)
        DataModuleFoods->removeMeasureListener(measureListener_);
    if (DialogIngredientEdit)
        DialogIngredientEdit->FoodListChanged = nullptr;
    if (FormMain == this)
        FormMain = nullptr;
}

void TFormMain::buildHeader()
{
    PanelHeader = new QWidget(this);
    ImgHeaderLeft = painted(PanelHeader, MainFormArt::paintHeaderLeft);
    ImgHeaderCenter = painted(PanelHeader, MainFormArt::paintHeaderCenter);
    ImgHeaderRight = painted(PanelHeader, MainFormArt::paintHeaderRight);
    for (SkinPicture* picture : {ImgHeaderLeft, ImgHeaderCenter, ImgHeaderRight})
        headerDrag_->bind(picture);

    BtnRecipes = pageTab(PanelHeader, "Recipes");
    BtnFoods = pageTab(PanelHeader, "Foods");
    BtnInfoBase = pageTab(PanelHeader, "Info Base");
    BtnRecipes->OnClick = [this] { BtnRecipesClick(); };
    BtnFoods->OnClick = [this] { BtnFoodsClick(); };
    BtnInfoBase->OnClick = [this] { BtnInfoBaseClick(); };

    ButtonMinimized = imageButton(PanelHeader, "ImgMin");
    ButtonMaximized = imageButton(PanelHeader, "ImgMax");
    ButtonExit = imageButton(PanelHeader, "ImgExit");
    ButtonMinimized->OnClick = [this] { ButtonMinimizedClick(); };
    ButtonMaximized->OnClick = [this] { ButtonMaximizedClick(); };
    ButtonExit->OnClick = [this] { ButtonExitClick(); };
}

void TFormMain::buildBottomBar()
{
    PanelBottom = new QWidget(this);
    ImgBottomLeft = painted(PanelBottom, MainFormArt::paintBottomBar);
    ImgBottomCenter = painted(PanelBottom, MainFormArt::paintBottomBar);
    ImgBottomRight = painted(PanelBottom, MainFormArt::paintBottomBar);

    btnPreference = new LinkLabel("Preference", PanelBottom);
    btnmailinglist = new LinkLabel("Mailing List", PanelBottom);
    btnForum = new LinkLabel("Forum", PanelBottom);
    btnHomePage = new LinkLabel("Home Page", PanelBottom);
    const std::pair<LinkLabel*, void (TFormMain::*)()> clicks[] = {
        {btnPreference, &TFormMain::btnPreferenceClick},
        {btnmailinglist, &TFormMain::btnmailinglistClick},
        {btnForum, &TFormMain::btnForumClick},
        {btnHomePage, &TFormMain::btnHomePageClick},
    };
    for (const auto& [link, click] : clicks) {
        link->SetFontColor(LinkColorHover); // as stored; creation sets the normal colour
        link->OnClick = [this, click = click] { (this->*click)(); };
        link->OnMouseEnter = [this, link = link] { link->SetFontColor(LinkColorHover); };
        link->OnMouseLeave = [this, link = link] { link->SetFontColor(LinkColorNormal); };
    }
}

QWidget* TFormMain::buildPageHeader(QWidget* page, const QString& caption, QLabel*& label)
{
    QWidget* header = painted(page, MainFormArt::paintPageHeader);
    label = captionLabel(header, caption, {}, Skin::darkGreen(), true);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return header;
}

void TFormMain::layoutPageHeader(QWidget* header, QLabel* label)
{
    const int pageWidth = NotebookClient->width();
    header->setGeometry(0, 0, pageWidth, 35);
    label->setGeometry(0, 0, pageWidth - 12, 35);
}

void TFormMain::buildInfoBasePage()
{
    PanelHeaderClientInfoBase = buildPageHeader(PageInfoBase, "Info Base Display", LabelActiveDispalyInfoBase);

    SplitterClientInfoBase = pageSplitter(PageInfoBase, Skin::brightGreen());
    PanelClientInfoBase = colouredPanel(nullptr, Skin::paleGreenLight());
    PanelBrowseInfoBase = colouredPanel(nullptr, Skin::paleGreen());
    SplitterClientInfoBase->addWidget(PanelClientInfoBase);
    SplitterClientInfoBase->addWidget(PanelBrowseInfoBase);
    SplitterClientInfoBase->setStretchFactor(0, 1);
    SplitterClientInfoBase->setSizes({555, 185});

    // Its contents are built when the page is first shown, not at start-up.
    InfoBase = std::make_unique<InfoBasePage>(PanelClientInfoBase, PanelBrowseInfoBase, LabelActiveDispalyInfoBase,
                                              []() -> const SqliteDatabase& { return DataModuleFoods->DatabaseFoods.sqlite(); });
    InfoBase->OnShowFood = [this](std::int32_t food, std::optional<std::int32_t> measure) { ShowFood(food, measure); };
    InfoBase->ShownRecipe = []() -> std::optional<std::int32_t> {
        RecordSet* shown = DataModuleRecipes->dscDisplayRecipes.dataSet();
        if (!shown || !shown->active() || shown->isEmpty())
            return std::nullopt;
        return static_cast<std::int32_t>(shown->fieldByName("R_ID").asInteger());
    };
}

void TFormMain::layoutFrame()
{
    const int w = width();
    const int h = height();
    const auto fromRight = [w](int designedLeft) { return w - (kDesignedWidth - designedLeft); };

    PanelHeader->setGeometry(0, 0, w, kHeaderHeight);
    ImgHeaderLeft->setGeometry(0, 0, 440, kHeaderHeight);
    ImgHeaderRight->setGeometry(w - 27, 0, 27, kHeaderHeight);
    ImgHeaderCenter->setGeometry(440, 0, std::max(0, w - 467), kHeaderHeight);
    BtnRecipes->move(fromRight(430), 48);
    BtnFoods->move(fromRight(539), 48);
    BtnInfoBase->move(fromRight(648), 48);
    ButtonMinimized->move(fromRight(704), 6);
    ButtonMaximized->move(fromRight(724), 6);
    ButtonExit->move(fromRight(747), 6);
    for (QWidget* onTop : {static_cast<QWidget*>(BtnRecipes), static_cast<QWidget*>(BtnFoods),
                           static_cast<QWidget*>(BtnInfoBase), static_cast<QWidget*>(ButtonMinimized),
                           static_cast<QWidget*>(ButtonMaximized), static_cast<QWidget*>(ButtonExit)})
        onTop->raise();

    const int middle = h - kHeaderHeight - kBottomHeight;
    ImgLeftBroder->setGeometry(0, kHeaderHeight, kBorderWidth, middle);
    ImgRightBorder->setGeometry(w - kBorderWidth, kHeaderHeight, kBorderWidth, middle);
    NotebookClient->setGeometry(kBorderWidth, kHeaderHeight, w - 2 * kBorderWidth, middle);

    PanelBottom->setGeometry(0, h - kBottomHeight, w, kBottomHeight);
    ImgBottomLeft->setGeometry(0, 0, 30, kBottomHeight);
    ImgBottomRight->setGeometry(w - 33, 0, 33, kBottomHeight);
    ImgBottomCenter->setGeometry(30, 0, std::max(0, w - 63), kBottomHeight);
    btnPreference->move(32, 16);
    btnmailinglist->move(fromRight(552), 16);
    btnForum->move(fromRight(624), 16);
    btnHomePage->move(fromRight(688), 16);
    for (LinkLabel* link : {btnPreference, btnmailinglist, btnForum, btnHomePage})
        link->raise();

    layoutRecipesPage();
    layoutFoodsPage();
    layoutPageHeader(PanelHeaderClientInfoBase, LabelActiveDispalyInfoBase);
    SplitterClientInfoBase->setGeometry(0, 35, NotebookClient->width(), std::max(0, NotebookClient->height() - 35));
}

void TFormMain::resizeEvent(QResizeEvent*)
{
    layoutFrame();
}

void TFormMain::setAlphaBlend(bool on, int value)
{
    alphaBlend_ = on;
    alphaBlendValue_ = value;
    setWindowOpacity(on ? value / 255.0 : 1.0);
}

void TFormMain::FormCreate()
{
    BtnRecipes->SetDown(true);
    NotebookClient->setCurrentIndex(0);
    QApplication::setStyle(new HintPauseStyle(QApplication::style()->name()));
    for (LinkLabel* link : {btnPreference, btnmailinglist, btnForum, btnHomePage})
        link->SetFontColor(LinkColorNormal);
}

void TFormMain::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!Shown)
        guarded([this] { FormShow(); });
}

void TFormMain::FormShow()
{
    Timer1->start();
    Shown = true;
    showFoodsPageData();
    BuildFoodTree();
    TreeViewFoods->Select(NodeViewAllFoods);
    RefreshMeasures();
    showRecipesPageData();
    BuildRecipeTree();
    TreeViewRecipes->Select(NodeViewAllRecipes);
    resize(800, 580);
}

void TFormMain::Timer1Timer()
{
    const int value = alphaBlendValue_ + 10;
    if (value >= 220) {
        Timer1->stop();
        setAlphaBlend(false, value);
    } else {
        setAlphaBlend(alphaBlend_, value);
    }
}

void TFormMain::ImgHeaderCenterMouseDown(double x, double y)
{
    MouseDownX = x;
    MouseDownY = y;
    Dragging = true;
}

void TFormMain::ImgHeaderCenterMouseMove(double x, double y)
{
    if (Dragging)
        WindowDrag::follow(*this, x, y, MouseDownX, MouseDownY);
}

void TFormMain::ImgHeaderCenterMouseUp()
{
    Dragging = false;
}

void TFormMain::ImgHeaderCenterDblClick()
{
    ButtonMaximizedClick();
}

void TFormMain::ButtonMaximizedClick()
{
    if (windowState() == Qt::WindowNoState)
        setWindowState(Qt::WindowMaximized);
    else
        setWindowState(Qt::WindowNoState);
}

void TFormMain::ButtonMinimizedClick()
{
    // The whole application goes to the taskbar, its open dialogs with it.
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->isVisible())
            window->setWindowState(window->windowState() | Qt::WindowMinimized);
}

void TFormMain::ButtonExitClick()
{
    close();
}

void TFormMain::BtnRecipesClick()
{
    NotebookClient->setCurrentIndex(0);
}

void TFormMain::BtnFoodsClick()
{
    NotebookClient->setCurrentIndex(1);
    EditAmount->setFocus();
}

void TFormMain::BtnInfoBaseClick()
{
    NotebookClient->setCurrentIndex(2);
    InfoBase->Show();
}

void TFormMain::btnPreferenceClick()
{
    RecordSet& preferences = DataModuleFoods->tblNutrientPreference;
    const auto store = [&] {
        preferences.applyUpdates();
        preferences.commitUpdates();
    };
    if (DialogPreference->ShowModalStoring(store) != mrOk)
        preferences.cancelUpdates();
    DataModuleFoods->ApplyNutrientPreferenceFilter();
    DataModuleRecipes->ApplyNutrientPreferenceFilter();
}

void TFormMain::btnHomePageClick()
{
    openInternetShortcut("Saporia's Home Page.url");
}

void TFormMain::btnmailinglistClick()
{
    openInternetShortcut("Saporia's Mailing List.url");
}

void TFormMain::btnForumClick()
{
    openInternetShortcut("Saporia's Forum.url");
}
