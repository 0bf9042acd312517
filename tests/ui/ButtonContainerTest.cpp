#include "ui/ButtonContainer.h"
#include "ui/GraphicButton.h"
#include "store/ProgramError.h"

#include <gtest/gtest.h>

namespace {

// Mean brightness of the drawn (non-transparent) pixels.
double brightness(const SkinImage* image)
{
    const QImage pixels = image->Bitmap().toImage().convertToFormat(QImage::Format_ARGB32);
    double sum = 0;
    int count = 0;
    for (int y = 0; y < pixels.height(); ++y)
        for (int x = 0; x < pixels.width(); ++x) {
            const QRgb p = pixels.pixel(x, y);
            if (qAlpha(p) < 128)
                continue;
            sum += qGray(p);
            ++count;
        }
    return count ? sum / count : 0;
}

struct ButtonContainerTest : ::testing::Test {
    TFormButtonContainer container;
};

TEST_F(ButtonContainerTest, HoldsEveryImageByNameAtItsSize)
{
    std::map<QString, QSize> expected = {
        {"ImgMinNormal", {19, 19}}, {"ImgMinDown", {19, 19}},  {"ImgMinOver", {19, 19}},
        {"ImgMaxNormal", {20, 19}}, {"ImgMaxDown", {20, 19}},  {"ImgMaxOver", {20, 19}},
        {"ImgExitNormal", {19, 19}}, {"ImgExitDown", {20, 19}}, {"ImgExitOver", {20, 19}},
        {"TabButtonUp", {106, 31}}, {"TabButtonDown", {106, 31}},
    };
    for (const char* set : {"ImgCreate32", "ImgEdit32", "ImgDelete32", "ImgImport32", "ImgExport32", "ImgPrint32",
                            "ImgPdf32", "ImgCookbook32", "ImgScale32", "ImgShopping32"})
        for (const char* state : {"Up", "Down", "Over"})
            expected[QString::fromLatin1(set) + state] = {32, 32};
    for (const char* set : {"ImgCreate", "ImgEdit", "ImgDelete", "ImgAdd", "ImgRemove", "ImgOk", "ImgCancel",
                            "ImgCalc", "ImgSearch", "ImgPrev", "ImgNext", "ImgPrint", "ImgPdf", "ImgPaste", "ImgLink", "ImgCopy"})
        for (const char* state : {"Up", "Down", "Over"})
            expected[QString::fromLatin1(set) + state] = {48, 48};
    ASSERT_EQ(expected.size(), 89u);

    const QStringList names = container.Names();
    EXPECT_EQ(names.size(), 89);
    for (const auto& [name, size] : expected) {
        const SkinImage* image = container.Find(name);
        ASSERT_NE(image, nullptr) << name.toStdString();
        EXPECT_EQ(QSize(image->Width(), image->Height()), size) << name.toStdString();
    }
}

TEST_F(ButtonContainerTest, OneBitmapServesEveryButtonThatNamesIt)
{
    TGraphicButton first;
    TGraphicButton second;
    first.SetImage(container.Image(QStringLiteral("ImgOkUp")));
    second.SetImage(buttonImage(QStringLiteral("ImgOkUp")));
    EXPECT_EQ(first.Image(), second.Image());
    EXPECT_EQ(first.size(), QSize(48, 48));
}

TEST_F(ButtonContainerTest, AnUnknownNameIsAnError)
{
    EXPECT_EQ(container.Find(QStringLiteral("ImgOkay")), nullptr);
    EXPECT_THROW(container.Image(QStringLiteral("ImgOkay")), ProgramError);
}

TEST_F(ButtonContainerTest, HoverIsLighterAndPressedDarkerThanNormal)
{
    const QStringList sets = {"ImgCreate32", "ImgEdit32", "ImgDelete32", "ImgCreate", "ImgEdit", "ImgDelete",
                              "ImgAdd", "ImgRemove", "ImgOk", "ImgCancel", "ImgCalc", "ImgSearch", "ImgPrev", "ImgNext",
                              "ImgPrint", "ImgPdf"};
    for (const QString& set : sets) {
        const double normal = brightness(container.Image(set + "Up"));
        EXPECT_GT(brightness(container.Image(set + "Over")), normal + 10) << set.toStdString();
        EXPECT_LT(brightness(container.Image(set + "Down")), normal - 10) << set.toStdString();
    }
    for (const QString& set : {QStringLiteral("ImgMin"), QStringLiteral("ImgMax"), QStringLiteral("ImgExit")}) {
        const QImage normal = container.Image(set + "Normal")->Bitmap().toImage();
        EXPECT_NE(normal, container.Image(set + "Down")->Bitmap().toImage());
        EXPECT_NE(normal, container.Image(set + "Over")->Bitmap().toImage());
    }
    EXPECT_NE(container.Image("TabButtonUp")->Bitmap().toImage(), container.Image("TabButtonDown")->Bitmap().toImage());
}

TEST_F(ButtonContainerTest, TheGlyphsTellTheButtonsApart)
{
    const QStringList sets = {"ImgCreate", "ImgEdit", "ImgDelete", "ImgAdd", "ImgRemove", "ImgOk",
                              "ImgCancel", "ImgCalc", "ImgSearch", "ImgPrev", "ImgNext", "ImgPrint", "ImgPdf"};
    for (int i = 0; i < sets.size(); ++i)
        for (int j = i + 1; j < sets.size(); ++j)
            EXPECT_NE(container.Image(sets[i] + "Up")->Bitmap().toImage(),
                      container.Image(sets[j] + "Up")->Bitmap().toImage())
                << sets[i].toStdString() << " " << sets[j].toStdString();
}

} // namespace
