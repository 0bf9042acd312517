#pragma once

#include "cookbook/PrintPreview.h"
#include "cookbook/ShoppingList.h"
#include "ui/TemplateDialog.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class QCheckBox;
class TDialogPrintPreview;
class QLabel;
class QTableWidget;
class QTreeWidget;
class SqliteDatabase;

// A recipe the shopping list may take, as the recipe list shows it.
struct ShoppingRecipe {
    std::int64_t id = 0;
    std::string name;
    std::optional<double> serves;
};

// "Shopping List": the recipes the list shows, each with a tick and the serves
// wanted, and beside them the list they make, a tick box per line. It prints, saves
// as PDF, or goes to the clipboard as plain text.
class TDialogShoppingList : public TFormTemplateDialog {
public:
    explicit TDialogShoppingList(QWidget* parent = nullptr);

    QLabel* LabelTitle;
    QLabel* LabelRecipes;
    QCheckBox* CheckAll;
    QTableWidget* GridRecipes; // tick and name, serves wanted
    QLabel* LabelList;
    QTreeWidget* TreeList;     // food groups, their lines with tick boxes
    TGraphicButton* BtnPrint;
    TGraphicButton* BtnSavePdf;
    TGraphicButton* BtnCopy;
    TGraphicButton* BtnClose;

    // Offers `recipes`, with `selected` ticked.
    void Offer(SqliteDatabase& db, const std::vector<ShoppingRecipe>& recipes, std::int64_t selected);

    // The recipes ticked, each scaled to the serves typed for it.
    std::vector<ShoppingChoice> Choices() const;
    const ShoppingList& List() const { return list_; }

    void BtnCopyClick();
    void BtnPrintClick();
    void BtnSavePdfClick();

private:
    void rebuildList();
    void servesEdited(int row);
    QString title() const;
    DocumentLayout pages() const;

    SqliteDatabase* db_ = nullptr;
    std::vector<ShoppingRecipe> recipes_;
    std::vector<double> serves_; // as last accepted, per row
    ShoppingList list_;
    bool filling_ = false;
    TDialogPrintPreview* preview_ = nullptr; // made on first use
};
