// Renders the interface kit offscreen into PNG files for review:
//   saporia-screenshots <folder>
// One file per button image, a sheet of every image in its three states, the two
// kinds of button in each of their states, and the template dialog.

#include "ui/AdvButton.h"
#include "ui/ButtonContainer.h"
#include "ui/ErrorGuard.h"
#include "ui/Fonts.h"
#include "ui/FormParts.h"
#include "ui/GraphicButton.h"
#include "ui/Skin.h"
#include "ui/TemplateDialog.h"

#include <QDir>
#include <QEnterEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QRegularExpression>

#include <cstdio>
#include <cstdlib>

namespace {

QDir outputFolder;
int written = 0;

void save(const QPixmap& pixmap, const QString& name)
{
    const QString path = outputFolder.filePath(name + ".png");
    QDir().mkpath(QFileInfo(path).path());
    if (!pixmap.save(path)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        std::exit(1);
    }
    ++written;
}

void hover(QWidget* widget)
{
    const QPointF at(widget->width() / 2.0, widget->height() / 2.0);
    QEnterEvent enter(at, at, widget->mapToGlobal(at));
    QCoreApplication::sendEvent(widget, &enter);
}

void mouse(QWidget* widget, QEvent::Type type)
{
    const QPointF at(widget->width() / 2.0, widget->height() / 2.0);
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, at, widget->mapToGlobal(at), Qt::LeftButton, held, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &event);
}

QWidget* surface(QSize size, const QColor& colour)
{
    auto* panel = new QWidget;
    panel->resize(size);
    panel->setAutoFillBackground(true);
    QPalette palette = panel->palette();
    palette.setColor(QPalette::Window, colour);
    panel->setPalette(palette);
    return panel;
}

// Every image of the container, one set per row, on the surface it sits on.
void imageSheet()
{
    QStringList names = FormButtonContainer->Names();
    for (const QString& name : names)
        save(FormButtonContainer->Image(name)->Bitmap(), "button-images/" + name);

    const int zoom = 2;
    const int cell = 56;
    const int labelWidth = 110;
    const int rows = static_cast<int>((names.size() + 2) / 3);
    QPixmap sheet((labelWidth + 4 * cell) * zoom, (rows * cell + 24) * zoom);
    sheet.fill(Skin::paleGreenLight());
    QPainter p(&sheet);
    p.scale(zoom, zoom);
    p.setFont(formFont());
    p.setPen(Skin::darkGreen());
    const char* headings[] = {"Normal / Up", "Down", "Over"};
    for (int c = 0; c < 3; ++c)
        p.drawText(QRect(labelWidth + c * cell, 4, cell, 16), Qt::AlignCenter, QString::fromLatin1(headings[c]));

    // Sets of three, except the two tab pictures which make a set of two.
    int row = 0;
    for (int i = 0; i < names.size(); ++row) {
        const bool tabs = names[i].startsWith(QStringLiteral("TabButton"));
        const int count = tabs ? 2 : 3;
        const int top = 24 + row * cell;
        const bool captionBar = names[i].startsWith(QStringLiteral("ImgMin")) || names[i].startsWith(QStringLiteral("ImgMax"))
            || names[i].startsWith(QStringLiteral("ImgExit"));
        QString label = names[i];
        label.remove(QRegularExpression(QStringLiteral("(Normal|Up)$")));
        p.setPen(Skin::darkGreen());
        p.drawText(QRect(6, top, labelWidth - 6, cell), Qt::AlignVCenter | Qt::AlignLeft, label);
        for (int c = 0; c < count; ++c) {
            const SkinImage* image = FormButtonContainer->Image(names[i + c]);
            QRect area(labelWidth + c * cell, top, cell, cell);
            if (tabs)
                area = QRect(labelWidth + c * cell * 2, top, cell * 2, cell);
            if (captionBar || tabs)
                p.fillRect(area.adjusted(4, 4, -4, -4), Skin::darkGreen());
            p.drawPixmap(area.center() - QPoint(image->Width() / 2, image->Height() / 2), image->Bitmap());
        }
        i += count;
    }
    p.end();
    save(sheet, "button-images-sheet");
}

void graphicButtonStates()
{
    struct Case {
        const char* name;
        bool latching;
        std::function<void(TGraphicButton*)> act;
    };
    const Case cases[] = {
        {"graphic-button-normal", false, [](TGraphicButton*) {}},
        {"graphic-button-over", false, [](TGraphicButton* b) { hover(b); }},
        {"graphic-button-pressed", false, [](TGraphicButton* b) { hover(b); mouse(b, QEvent::MouseButtonPress); }},
        {"graphic-button-latched", true, [](TGraphicButton* b) { b->SetDown(true); }},
        {"graphic-button-latched-over", true, [](TGraphicButton* b) { b->SetDown(true); hover(b); }},
    };
    QPixmap strip(5 * 90, 80);
    strip.fill(Skin::paleGreenLight());
    QPainter stripPainter(&strip);
    int column = 0;
    for (const Case& c : cases) {
        QWidget* panel = surface({90, 80}, Skin::paleGreenLight());
        TGraphicButton* button = imageButton(panel, QStringLiteral("ImgOk"), {}, {21, 8});
        button->SetAllowDown(c.latching);
        auto* label = new QLabel(QString::fromLatin1(c.name).remove(QStringLiteral("graphic-button-")), panel);
        label->setAlignment(Qt::AlignCenter);
        label->setGeometry(0, 60, 90, 16);
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, Skin::darkGreen());
        label->setPalette(palette);
        c.act(button);
        const QPixmap shot = panel->grab();
        save(shot, QString::fromLatin1(c.name));
        stripPainter.drawPixmap(column++ * 90, 0, shot);
        delete panel;
    }
    stripPainter.end();
    save(strip, "graphic-button-states");
}

void advButtonGroupStates()
{
    struct Case {
        const char* name;
        std::function<void(TAdvButton* recipes, TAdvButton* foods, TAdvButton* infoBase)> act;
    };
    const Case cases[] = {
        {"adv-button-group-recipes-chosen", [](TAdvButton*, TAdvButton*, TAdvButton*) {}},
        {"adv-button-group-foods-hovered", [](TAdvButton*, TAdvButton* foods, TAdvButton*) { hover(foods); }},
        {"adv-button-group-foods-chosen",
         [](TAdvButton*, TAdvButton* foods, TAdvButton*) {
             hover(foods);
             mouse(foods, QEvent::MouseButtonPress);
             mouse(foods, QEvent::MouseButtonRelease);
         }},
        {"adv-button-group-info-base-chosen",
         [](TAdvButton*, TAdvButton*, TAdvButton* infoBase) { infoBase->SetDown(true); }},
    };
    for (const Case& c : cases) {
        QWidget* panel = surface({360, 52}, Skin::darkGreen());
        auto* page = new QWidget(panel);
        page->setGeometry(0, 44, 360, 8);
        page->setAutoFillBackground(true);
        QPalette pagePalette = page->palette();
        pagePalette.setColor(QPalette::Window, QColor(6, 112, 26));
        page->setPalette(pagePalette);
        TAdvButton* tabs[3];
        const char* captions[] = {"Recipes", "Foods", "Info Base"};
        for (int i = 0; i < 3; ++i) {
            tabs[i] = new TAdvButton(panel);
            tabs[i]->SetGroupIndex(1);
            tabs[i]->SetCaption(QString::fromLatin1(captions[i]));
            tabs[i]->SetImage(FormButtonContainer->Image(QStringLiteral("TabButtonUp")));
            tabs[i]->SetImageDown(FormButtonContainer->Image(QStringLiteral("TabButtonDown")));
            tabs[i]->SetFont({formFont(16), Skin::tabText()});
            tabs[i]->SetFontOver({formFont(16), Skin::tabTextIdle()});
            tabs[i]->move(12 + i * 109, 13);
        }
        tabs[0]->SetDown(true);
        c.act(tabs[0], tabs[1], tabs[2]);
        save(panel->grab(), QString::fromLatin1(c.name));
        delete panel;
    }
}

void templateDialog()
{
    TFormTemplateDialog dialog;
    save(dialog.grab(), "template-dialog");

    // As a derived dialog dresses it: a label and OK / Cancel in the corner.
    TFormTemplateDialog dressed;
    captionLabel(dressed.ImgMiddleCenter, QStringLiteral("Description"), {20, 48}, Skin::darkGreen());
    captionLabel(dressed.ImgMiddleCenter, QStringLiteral("Food Group"), {12, 6}, Qt::white, true);
    const char* sets[] = {"ImgOk", "ImgCancel"};
    for (int i = 0; i < 2; ++i) {
        TGraphicButton* button = imageButton(dressed.ImgMiddleCenter, QString::fromLatin1(sets[i]), {},
                                             {dressed.ImgMiddleCenter->width() - 116 + i * 56,
                                              dressed.ImgMiddleCenter->height() - 60});
        if (i == 0)
            hover(button);
    }
    hover(dressed.GraphicButton1);
    save(dressed.grab(), "template-dialog-dressed");
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: saporia-screenshots <folder>\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    TApplication app(argc, argv);
    installFontSubstitutions();
    outputFolder = QDir(QString::fromLocal8Bit(argv[1]));
    QDir().mkpath(outputFolder.path());

    TFormButtonContainer container;
    FormButtonContainer = &container;
    imageSheet();
    graphicButtonStates();
    advButtonGroupStates();
    templateDialog();
    std::printf("%d screenshots written to %s\n", written, argv[1]);
    return 0;
}
