#pragma once

#include "cookbook/RecipeScaling.h"
#include "ui/TemplateDialog.h"

#include <cstdint>
#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class SqliteDatabase;

// "Scale Recipe": to a number of serves or by a factor, as a new recipe or the
// recipe itself. OK scales (refusals keep the dialog open on the box at fault);
// what it made is then reviewed in the recipe wizard.
class TDialogScaleRecipe : public TFormTemplateDialog {
public:
    explicit TDialogScaleRecipe(QWidget* parent = nullptr);

    QLabel* LabelTitle;
    QLabel* LabelRecipe;
    QRadioButton* RadioServes;
    QLineEdit* EditServes;
    QRadioButton* RadioFactor;
    QComboBox* ComboFactor;
    QRadioButton* RadioNewRecipe;
    QRadioButton* RadioItself;
    QLabel* LabelHint;
    TGraphicButton* BtnOk;
    TGraphicButton* BtnCancel;

    // Sets the dialog up for stored recipe `recipeId`, named and served as the list shows it.
    void Offer(const SqliteDatabase& db, std::int64_t recipeId, const QString& name, std::optional<double> serves);
    void BtnOkClick();

    // After OK: the scaled recipe, and whether it replaces the stored one.
    const std::optional<ScaledRecipe>& Scaled() const { return scaled_; }
    bool Itself() const;

private:
    const SqliteDatabase* db_ = nullptr;
    std::int64_t recipeId_ = 0;
    std::optional<ScaledRecipe> scaled_;
};
