#include "facts/LabelPainter.h"
#include "facts/LabelValues.h"
#include "facts/NutritionFacts.h"
#include "store/Database.h"
#include "store/ProgramError.h"
#include "support/TestDataFolder.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <regex>
#include <string>

namespace {

std::string fileText(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

class LabelOutput : public ::testing::Test {
protected:
    TestWorkingDirectory dir;
    Database database{"sv RecipeDatabase", dir.dataFolder()};
    NutritionLabel label = recipeLabel(database.sqlite(), 1);
};

TEST_F(LabelOutput, PdfIsWrittenAsOnePage)
{
    const auto file = dir.path() / "pancakes.pdf";
    saveNutritionLabelPdf(label, QString::fromStdString(file.string()));
    const std::string pdf = fileText(file);
    ASSERT_GT(pdf.size(), 1000u);
    EXPECT_EQ(pdf.rfind("%PDF-", 0), 0u);
    const std::regex page(R"(/Type\s*/Page[^s])");
    EXPECT_EQ(std::distance(std::sregex_iterator(pdf.begin(), pdf.end(), page), std::sregex_iterator()), 1);
}

TEST_F(LabelOutput, PdfThatCannotBeWrittenIsAnError)
{
    const auto file = dir.path() / "no such folder" / "pancakes.pdf";
    EXPECT_THROW(saveNutritionLabelPdf(label, QString::fromStdString(file.string())), ProgramError);
    EXPECT_FALSE(std::filesystem::exists(file));
}

// Paints the label at `scale` on white and returns the share of dark pixels.
double inkAt(const NutritionLabel& shown, double scale)
{
    const NutritionLabelPainter painter(shown);
    QImage image((painter.size() * scale).toSize(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.scale(scale, scale);
    painter.paint(p);
    p.end();
    qint64 dark = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            dark += qGray(image.pixel(x, y)) < 128;
    return static_cast<double>(dark) / (image.width() * image.height());
}

TEST_F(LabelOutput, DrawingScalesWithThePainter)
{
    // The same drawing at twice the scale covers the same share of its area.
    const double small = inkAt(label, 1);
    const double large = inkAt(label, 2);
    EXPECT_GT(small, 0.05);
    EXPECT_NEAR(large, small, small * 0.25);
}

TEST_F(LabelOutput, BlankColumnAndNotesChangeTheDrawing)
{
    NutritionLabel blank = label;
    for (LabelLine& line : blank.lines)
        line.amounts[0].reset();
    blank.columns[0].shown = false;
    EXPECT_LT(inkAt(blank, 1), inkAt(label, 1));

    NutritionLabel unlinked = label;
    unlinked.unlinked = {"Salt", "A pinch of something with a long name that needs more than one line to be told"};
    EXPECT_GT(NutritionLabelPainter(unlinked).size().height(), NutritionLabelPainter(label).size().height() + 20);
}

} // namespace
