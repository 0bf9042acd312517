#pragma once

#include "facts/LabelValues.h"
#include "ui/TemplateDialog.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <optional>

class QLabel;
class QPrinter;

// The Nutrition Facts label in a skinned dialog, with an image button to print
// it (through the platform's print dialog) and one to save it as a PDF file.
class TDialogNutritionFacts : public TFormTemplateDialog {
public:
    TDialogNutritionFacts(QWidget* parent, NutritionLabel label);
    ~TDialogNutritionFacts() override;

    QLabel* LabelTitle;
    QWidget* LabelView; // paints the label
    TGraphicButton* BtnPrint;
    TGraphicButton* BtnSavePdf;

    void BtnPrintClick();
    void BtnSavePdfClick();

    const NutritionLabel& Label() const { return label_; }

    // Seams. The print dialog sets the printer up and returns true to print;
    // the file dialog returns the chosen file, or nothing when cancelled.
    static std::function<bool(QPrinter&, QWidget* owner)> PrintDialogHook;
    static std::function<QString(QWidget* owner, const QString& suggested)> SaveFileNameHook;

private:
    NutritionLabel label_;
};

// The label on a page of `printer`, at its printed size unless the page is too small.
// Throws ProgramError when the printer cannot be opened.
void printNutritionLabel(const NutritionLabel& label, QPrinter& printer);
// The label as a one-page PDF file; throws ProgramError when the file cannot be written.
void saveNutritionLabelPdf(const NutritionLabel& label, const QString& file);

// Opens the label of a stored recipe, per serve and per recipe.
void ShowRecipeNutritionFacts(std::int32_t recipeId);
// Opens the label of the recipe the Recipes page shows; nothing when it shows none.
void ShowDisplayedRecipeNutritionFacts();
// Opens the label of a stored food, per 100 g and per `amount` of the measure
// (its WEIGHT row), or per 100 g only without a measure.
void ShowFoodNutritionFacts(std::int32_t food, std::optional<std::int32_t> weightId, double amount);
