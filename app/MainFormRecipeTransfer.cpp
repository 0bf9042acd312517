// The Recipes page's import and export: recipes read from saved pages, JSON-LD
// files and pasted text, each reviewed in the recipe wizard before it is stored,
// and recipes written out to JSON-LD that imports back exactly.

#include "app/MainForm.h"

#include "exchange/JsonLdWriter.h"
#include "exchange/RecipeLinking.h"
#include "exchange/RecipeReaders.h"
#include "exchange/RecipeStore.h"
#include "recipes/DatabaseRecipes.h"
#include "recipes/ExportRecipes.h"
#include "recipes/RecipeEdit.h"
#include "seams/Messages.h"
#include "store/Field.h"
#include "store/ProgramError.h"
#include "ui/DataControls.h"
#include "ui/ErrorGuard.h"
#include "ui/WaitCursor.h"

#include <QClipboard>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QSaveFile>
#include <QStringList>

#include <filesystem>

std::function<QString(QWidget*)> RecipeFileDialogs::OpenHook = [](QWidget* owner) {
    return QFileDialog::getOpenFileName(owner, QStringLiteral("Import Recipe"), {},
                                        QStringLiteral("Recipes (*.html *.htm *.json *.jsonld *.txt);;"
                                                       "Saved web pages (*.html *.htm);;"
                                                       "JSON-LD (*.json *.jsonld);;Text (*.txt);;All files (*)"));
};

std::function<QString(QWidget*, const QString&)> RecipeFileDialogs::SaveHook = [](QWidget* owner,
                                                                                  const QString& suggested) {
    return QFileDialog::getSaveFileName(owner, QStringLiteral("Export Recipes"), suggested,
                                        QStringLiteral("JSON-LD (*.jsonld)"));
};

namespace {

QString fromStd(const std::string& text)
{
    return QString::fromStdString(text);
}

// What the wizard's first page says about a recipe under review.
QString importNote(const LinkedRecipe& recipe, std::size_t index, std::size_t count, const std::string& newCuisine,
                   const std::vector<std::string>& skipped)
{
    QStringList lines;
    lines << (count > 1 ? QStringLiteral("Imported recipe %1 of %2: check it, then OK stores it.").arg(index + 1).arg(count)
                        : QStringLiteral("Imported recipe: check it, then OK stores it."));
    lines << QStringLiteral("%1 of %2 ingredient lines are linked to foods.")
                 .arg(recipe.linkedCount())
                 .arg(recipe.lines.size());
    if (!recipe.cutFields.empty()) {
        QStringList fields;
        for (const std::string& field : recipe.cutFields)
            fields << fromStd(field);
        lines << QStringLiteral("Cut to their fields' size: %1.").arg(fields.join(QStringLiteral(", ")));
    }
    if (!newCuisine.empty())
        lines << QStringLiteral("The cuisine \"%1\" is new: it is made when you press OK, "
                                "unless you choose another one above.")
                     .arg(fromStd(newCuisine));
    for (const std::string& part : skipped)
        lines << QStringLiteral("Passed over: %1").arg(fromStd(part));
    return lines.join(u'\n');
}

// Names are the user's own text: keep what a file name can hold.
QString fileNameFor(QString name)
{
    for (QChar& c : name)
        if (c == u'/' || c == u'\\' || c == u':' || c == u'*' || c == u'?' || c == u'"' || c == u'<' || c == u'>' ||
            c == u'|')
            c = u'-';
    name = name.trimmed();
    return (name.isEmpty() ? QStringLiteral("Recipes") : name) + QStringLiteral(".jsonld");
}

} // namespace

void TFormMain::BtnImportRecipeClick()
{
    const QString file = RecipeFileDialogs::OpenHook(this);
    if (file.isEmpty())
        return;
    RecipeReading reading;
    {
        WaitCursor busy;
        reading = readRecipeFile(std::filesystem::path(file.toStdU16String()));
    }
    reviewImportedRecipes(reading);
}

void TFormMain::PasteRecipe()
{
    const QString text = QGuiApplication::clipboard()->text();
    if (text.trimmed().isEmpty()) {
        showMessage("The clipboard holds no recipe text to import.");
        return;
    }
    reviewImportedRecipes(readPastedRecipe(text.toStdString()));
}

void TFormMain::reviewImportedRecipes(const RecipeReading& reading)
{
    if (!reading.ok()) {
        showMessage(reading.problem);
        return;
    }
    TDataModuleRecipes& recipes = *DataModuleRecipes;
    const NodePath recipeNode = nodePath(TreeViewRecipes->Selected());
    const std::size_t count = reading.recipes.size();
    bool stored = false;
    for (std::size_t i = 0; i < count; ++i) {
        LinkedRecipe linked;
        {
            WaitCursor busy;
            linked = linkRecipe(reading.recipes[i], recipes.DatabaseRecipe, recipes.Linker());
            recipes.BeginImportedRecipe(linked);
        }
        DialogRecipeEdit->SetImportNote(
            importNote(linked, i, count, recipes.ImportedCuisine(), i == 0 ? reading.skipped : std::vector<std::string>{}));
        const int result = DialogRecipeEdit->ShowModalStoring([&] { recipes.PostNewRecipe(); });
        DialogRecipeEdit->SetImportNote({});
        if (result == mrOk) {
            stored = true;
            continue;
        }
        recipes.CancelNewRecipe();
        if (i + 1 < count &&
            !askConfirmation("Go on with the next recipe of the " + std::to_string(count - i - 1) + " left to import?"))
            break;
    }
    if (!stored) {
        TreeViewRecipes->Reselect(recipeNode);
        return;
    }
    // Cuisines and types may be new; the recipes just stored have the highest ids.
    BuildRecipeTree();
    TreeViewRecipes->SelectAndRun(NodeViewAllRecipes);
    recipes.dscDisplayRecipes.dataSet()->last();
}

void TFormMain::BtnExportRecipesClick()
{
    TDataModuleRecipes& recipes = *DataModuleRecipes;
    RecordSet* shown = recipes.dscDisplayRecipes.dataSet();
    if (!shown || !shown->active() || shown->isEmpty()) {
        showMessage("No Recipes to Export");
        return;
    }
    std::vector<std::int64_t> shownIds;
    const Field& id = shown->fieldByName("R_ID");
    for (int row = 0; row < shown->recordCount(); ++row)
        shownIds.push_back(static_cast<std::int64_t>(numberOf(shown->valueAt(row, id)).value_or(0)));
    const std::int64_t selected = id.asInteger();
    const QString selectedName = fromStd(shown->fieldByName("Recipe Name").asString());

    if (!DialogExportRecipes)
        DialogExportRecipes = new TDialogExportRecipes(this);
    DialogExportRecipes->Offer(selectedName, static_cast<int>(shownIds.size()),
                               QStringLiteral("\"%1\"").arg(LabelActiveDispalyRecipes->text()));
    if (DialogExportRecipes->ShowModal() != mrOk)
        return;
    const bool all = DialogExportRecipes->AllShown();
    QString file = RecipeFileDialogs::SaveHook(this, fileNameFor(all ? LabelActiveDispalyRecipes->text() : selectedName));
    if (file.isEmpty())
        return;
    if (QFileInfo(file).suffix().isEmpty())
        file += QStringLiteral(".jsonld");

    std::vector<RecipeDraft> drafts;
    {
        WaitCursor busy;
        for (std::int64_t recipe : all ? shownIds : std::vector<std::int64_t>{selected})
            drafts.push_back(draftOfStoredRecipe(recipes.DatabaseRecipe.sqlite(), recipe));
    }
    const std::string text = writeRecipesJsonLd(drafts);
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly) || out.write(text.data(), static_cast<qint64>(text.size())) !=
                                               static_cast<qint64>(text.size()) || !out.commit())
        throw ProgramError("The recipes were not exported: " + file.toStdString() + " could not be written (" +
                           out.errorString().toStdString() + ").");
    showMessage(drafts.size() == 1 ? "1 recipe was exported to " + file.toStdString() + "."
                                   : std::to_string(drafts.size()) + " recipes were exported to " + file.toStdString() + ".");
}
