// The recipe module's ingredient lines as the cook writes them: read into the
// ingredient row's fields, kept as written, and linked to foods with their grams.

#include "recipes/DatabaseRecipes.h"

#include "kitchen/IngredientFields.h"
#include "kitchen/IngredientLinker.h"
#include "store/Field.h"

#include <QString>
#include <QStringList>

#include <functional>

namespace {

int linkedCount(RecordSet& ingredients, int& lines)
{
    lines = ingredients.active() ? ingredients.recordCount() : 0;
    if (lines == 0)
        return 0;
    const Field& food = ingredients.fieldByName("NDB_No");
    int linked = 0;
    for (int row = 0; row < lines; ++row)
        linked += isNull(ingredients.valueAt(row, food)) ? 0 : 1;
    return linked;
}

LineCoverage coverageOf(RecordSet& ingredients, RecordSet& totals)
{
    LineCoverage coverage;
    coverage.linked = linkedCount(ingredients, coverage.lines);
    coverage.hasTotals = totals.active() && totals.recordCount() > 0;
    return coverage;
}

// Posts the row `begin` started once `fill` has written it; a failure leaves no half-written row.
void writeRow(RecordSet& set, const std::function<void()>& begin, const std::function<void()>& fill)
{
    begin();
    try {
        fill();
        set.post();
    } catch (...) {
        set.cancel();
        throw;
    }
}

} // namespace

std::string LineCoverage::note() const
{
    if (!hasTotals || lines == 0 || linked >= lines)
        return {};
    return "totals from " + std::to_string(linked) + " of " + std::to_string(lines) + " ingredient lines";
}

IngredientLinker& TDataModuleRecipes::Linker()
{
    if (!linker_)
        linker_ = std::make_unique<IngredientLinker>(DatabaseRecipe);
    return *linker_;
}

void TDataModuleRecipes::SetIngredientLine(const std::string& line)
{
    RecordSet& ingredient = tblRecipeIngredientEdit;
    const QString written = QString::fromStdString(line).trimmed();
    const IngredientFields fields = ingredientFields(readIngredientLine(written));
    Field& quantity = ingredient.fieldByName("Quantity");
    if (fields.quantity)
        quantity.setAsFloat(*fields.quantity);
    else
        quantity.clear();
    ingredient.fieldByName("Unit").setAsString(fields.unit.toStdString());
    ingredient.fieldByName("Ingredient Name").setAsString(fields.name.toStdString());
    if (written.isEmpty())
        IngredientLines.erase(ingredient.currentRowId());
    else
        IngredientLines.set(ingredient.currentRowId(), written.toStdString());
}

std::string TDataModuleRecipes::IngredientLineOf()
{
    RecordSet& ingredient = tblRecipeIngredientEdit;
    if (auto kept = IngredientLines.lineOf(ingredient.currentRowId()))
        return *kept;
    // A line typed the old way is written from its three fields.
    QStringList parts;
    for (const char* field : {"Quantity", "Unit", "Ingredient Name"})
        if (const std::string text = ingredient.fieldByName(field).asString(); !text.empty())
            parts << QString::fromStdString(text);
    return parts.join(u' ').toStdString();
}

void TDataModuleRecipes::LinkIngredient(const IngredientLink& link)
{
    RecordSet& ingredient = tblRecipeIngredientEdit;
    ingredient.fieldByName("NDB_No").setAsInteger(link.ndbNo);
    ingredient.fieldByName("NDB_ByGram").setAsBoolean(link.byGram);
    ingredient.fieldByName("NDB_Quantity").setAsFloat(link.quantity);
    Field& measure = ingredient.fieldByName("NDB_Weight_ID");
    if (link.weightId)
        measure.setAsFloat(*link.weightId);
    else
        measure.clear();
    ingredient.fieldByName("WeightInGram").setAsFloat(link.weightInGram);
}

LinesAdded TDataModuleRecipes::AddIngredientLines(const std::string& text)
{
    LinesAdded added;
    RecordSet& ingredients = tblRecipeIngredientEdit;
    const QStringList lines = QString::fromStdString(text).split(u'\n');
    for (const QString& line : lines) {
        if (isIngredientHeading(line))
            continue;
        writeRow(ingredients, [&] { ingredients.append(); }, [&] {
            SetIngredientLine(line.toStdString());
            const LinkProposal proposal = Linker().propose(line.trimmed());
            if (proposal.confident && proposal.link) {
                LinkIngredient(*proposal.link);
                ++added.linked;
            }
        });
        ++added.lines;
    }
    return added;
}

LinesAdded TDataModuleRecipes::LinkUnlinkedIngredients()
{
    LinesAdded result;
    RecordSet& ingredients = tblRecipeIngredientEdit;
    ingredients.postIfEditing();
    const int rows = ingredients.recordCount();
    for (int row = 1; row <= rows; ++row) {
        ingredients.setRecNo(row);
        if (!ingredients.fieldByName("NDB_No").isNull())
            continue;
        ++result.lines;
        const LinkProposal proposal = Linker().propose(QString::fromStdString(IngredientLineOf()));
        if (!proposal.confident || !proposal.link)
            continue;
        writeRow(ingredients, [&] { ingredients.edit(); }, [&] { LinkIngredient(*proposal.link); });
        ++result.linked;
    }
    return result;
}

LineCoverage TDataModuleRecipes::EditedLineCoverage()
{
    return coverageOf(tblRecipeIngredientEdit, tblRecipeNutrientDataEdit);
}

LineCoverage TDataModuleRecipes::DisplayedLineCoverage()
{
    return coverageOf(tblRecipeIngredients, tblRecipeNutrientData);
}
