#include "ui/ButtonContainer.h"

#include "store/ProgramError.h"
#include "ui/Skin.h"

#include <QCoreApplication>

#include <vector>

TFormButtonContainer* FormButtonContainer = nullptr;

namespace {

using Skin::ButtonState;
using Skin::Glyph;

struct ImageStore {
    std::vector<std::unique_ptr<SkinImage>> images; // in creation order
    std::map<QString, const SkinImage*> byName;

    // Drawn when a button first shows it.
    void add(const QString& name, QSize size, std::function<QPixmap()> draw)
    {
        images.push_back(std::make_unique<SkinImage>(name, size, std::move(draw)));
        byName[name] = images.back().get();
    }
};

ImageStore* store = nullptr;

void dropStore()
{
    delete store;
    store = nullptr;
}

void drawAll(ImageStore& s)
{
    struct WindowSet {
        const char* prefix;
        Glyph glyph;
        int normalWidth;
        int otherWidth;
    };
    // Minimise 19 by 19, maximise 20 by 19, exit 19 by 19 normal but 20 by 19 down and over.
    for (const WindowSet& set : {WindowSet{"ImgMin", Glyph::Minimise, 19, 19},
                                 WindowSet{"ImgMax", Glyph::Maximise, 20, 20},
                                 WindowSet{"ImgExit", Glyph::Close, 19, 20}}) {
        const QString prefix = QString::fromLatin1(set.prefix);
        s.add(prefix + "Normal", {set.normalWidth, 19}, [set] {
            return Skin::windowButton(set.glyph, {set.normalWidth, 19}, set.normalWidth, ButtonState::Normal);
        });
        // The wider down and over pictures keep the tile where the normal one has it.
        for (const ButtonState state : {ButtonState::Down, ButtonState::Over})
            s.add(prefix + (state == ButtonState::Down ? "Down" : "Over"), {set.otherWidth, 19}, [set, state] {
                return Skin::windowButton(set.glyph, {set.otherWidth, 19}, set.normalWidth, state);
            });
    }

    s.add("TabButtonUp", {106, 31}, [] { return Skin::tab(true); });
    s.add("TabButtonDown", {106, 31}, [] { return Skin::tab(false); });

    const auto addToolSet = [&s](const QString& prefix, Glyph glyph, QSize size) {
        s.add(prefix + "Up", size, [=] { return Skin::toolButton(glyph, size, ButtonState::Normal); });
        s.add(prefix + "Down", size, [=] { return Skin::toolButton(glyph, size, ButtonState::Down); });
        s.add(prefix + "Over", size, [=] { return Skin::toolButton(glyph, size, ButtonState::Over); });
    };
    addToolSet("ImgCreate32", Glyph::Create, {32, 32});
    addToolSet("ImgEdit32", Glyph::Edit, {32, 32});
    addToolSet("ImgDelete32", Glyph::Delete, {32, 32});
    addToolSet("ImgImport32", Glyph::Import, {32, 32});
    addToolSet("ImgExport32", Glyph::Export, {32, 32});
    addToolSet("ImgPrint32", Glyph::Print, {32, 32});
    addToolSet("ImgPdf32", Glyph::Pdf, {32, 32});
    addToolSet("ImgCookbook32", Glyph::Book, {32, 32});
    addToolSet("ImgScale32", Glyph::Scale, {32, 32});
    addToolSet("ImgShopping32", Glyph::Basket, {32, 32});

    const std::pair<const char*, Glyph> dialogSets[] = {
        {"ImgCreate", Glyph::Create}, {"ImgEdit", Glyph::Edit},     {"ImgDelete", Glyph::Delete},
        {"ImgAdd", Glyph::Add},       {"ImgRemove", Glyph::Remove}, {"ImgOk", Glyph::Ok},
        {"ImgCancel", Glyph::Cancel}, {"ImgCalc", Glyph::Calc},     {"ImgSearch", Glyph::Search},
        {"ImgPrev", Glyph::Prev},     {"ImgNext", Glyph::Next},     {"ImgPrint", Glyph::Print},
        {"ImgPdf", Glyph::Pdf},       {"ImgPaste", Glyph::Paste},   {"ImgLink", Glyph::Link},
        {"ImgCopy", Glyph::Copy},
    };
    for (const auto& [prefix, glyph] : dialogSets)
        addToolSet(QString::fromLatin1(prefix), glyph, {48, 48});
}

ImageStore& images()
{
    if (!store) {
        if (!QCoreApplication::instance())
            throw ProgramError("The button images need the application object");
        store = new ImageStore;
        drawAll(*store);
        // Pixmaps must go before the application object does.
        qAddPostRoutine(dropStore);
    }
    return *store;
}

} // namespace

const SkinImage* findButtonImage(const QString& name)
{
    const auto& byName = images().byName;
    const auto found = byName.find(name);
    return found == byName.end() ? nullptr : found->second;
}

const SkinImage* buttonImage(const QString& name)
{
    const SkinImage* image = findButtonImage(name);
    if (!image)
        throw ProgramError("There is no button image named " + name.toStdString());
    return image;
}

TFormButtonContainer::TFormButtonContainer(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("FormButtonContainer"));
    images();
}

TFormButtonContainer::~TFormButtonContainer()
{
    if (FormButtonContainer == this)
        FormButtonContainer = nullptr;
}

const SkinImage* TFormButtonContainer::Image(const QString& name) const
{
    return buttonImage(name);
}

const SkinImage* TFormButtonContainer::Find(const QString& name) const
{
    return findButtonImage(name);
}

QStringList TFormButtonContainer::Names() const
{
    QStringList names;
    for (const auto& image : images().images)
        names << image->Name();
    return names;
}
