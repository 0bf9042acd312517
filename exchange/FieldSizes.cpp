#include "exchange/FieldSizes.h"

#include "store/TableDefinitions.h"

#include <QString>
#include <QTextBoundaryFinder>

#include <algorithm>

namespace {

std::size_t fieldSize(std::string_view table, std::string_view field)
{
    return static_cast<std::size_t>(tableDefinition(table).findField(field)->size);
}

std::size_t codePoints(QStringView text)
{
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](QChar c) { return !c.isLowSurrogate(); }));
}

// Sizes count characters as the table engine does (Unicode code points); the cut
// falls where a user sees a character end, so no accent is parted from its letter.
bool cutToSize(std::string& text, std::size_t size)
{
    const QString whole = QString::fromStdString(text);
    if (codePoints(whole) <= size)
        return false;
    QTextBoundaryFinder graphemes(QTextBoundaryFinder::Grapheme, whole);
    qsizetype cut = 0;
    std::size_t kept = 0;
    for (qsizetype next = graphemes.toNextBoundary(); next != -1; next = graphemes.toNextBoundary()) {
        kept += codePoints(QStringView(whole).mid(cut, next - cut));
        if (kept > size)
            break;
        cut = next;
    }
    text = whole.left(cut).toStdString();
    return true;
}

} // namespace

bool cutToField(std::string& text, std::string_view table, std::string_view field)
{
    return cutToSize(text, fieldSize(table, field));
}

std::vector<std::string> cutToFieldSizes(RecipeDraft& draft)
{
    std::vector<std::string> cut;
    const auto note = [&](bool wasCut, const char* field) {
        if (wasCut && std::find(cut.begin(), cut.end(), field) == cut.end())
            cut.emplace_back(field);
    };
    const auto recipeField = [](const char* field) { return fieldSize("Recipe_Des.DB", field); };
    note(cutToSize(draft.name, recipeField("Recipe Name")), "Recipe Name");
    note(cutToSize(draft.author, recipeField("Author")), "Author");
    note(cutToSize(draft.source, recipeField("Source")), "Source");
    note(cutToSize(draft.webPageName, recipeField("Web Page Name")), "Web Page Name");
    note(cutToSize(draft.cuisine, fieldSize("Recipe_Cuisine.DB", "Cuisine")), "Cuisine");
    for (std::string& type : draft.types)
        note(cutToSize(type, fieldSize("Recipe_Types.DB", "Recipe Type")), "Recipe Type");
    for (DraftIngredient& line : draft.ingredients)
        note(cutToSize(line.text, fieldSize("Rescipe_ingredients.DB", "Ingredient Name")), "Ingredient Name");
    return cut;
}
