#include "recipes/RecipeTextIndex.h"

#include "kitchen/WordFolding.h"
#include "store/Sqlite.h"
#include "store/TableDefinitions.h"
#include "store/Value.h"

#include <QString>

#include <map>
#include <optional>

namespace {

std::string table(const char* name)
{
    return quoteIdentifier(name);
}

// The searchable text of the recipes whose R_ID meets `which` (a condition on R_ID),
// unfolded, one text per recipe; fields are parted by line breaks so that a keyword
// never runs from one into the next.
struct RecipeText {
    std::string body;  // name, procedure, author, source
    std::string lines; // ingredient lines as written and linked foods' names
};

std::map<std::int64_t, RecipeText> recipeTexts(const SqliteDatabase& db, const std::string& which)
{
    std::map<std::int64_t, RecipeText> texts;
    const auto add = [](std::string& text, const std::string& part) {
        if (part.empty())
            return;
        if (!text.empty())
            text += '\n';
        text += part;
    };
    auto recipes = db.prepare("SELECT R_ID, \"Recipe Name\", Procedures, Author, Source FROM " + table("Recipe_Des.DB")
                              + " WHERE " + which);
    while (recipes.step()) {
        std::string& text = texts[recipes.columnInt(0)].body;
        for (int column = 1; column <= 4; ++column)
            add(text, recipes.columnText(column));
    }
    auto lines = db.prepare("SELECT i.R_ID, l.Line, i.Quantity, i.Unit, i.\"Ingredient Name\", f.\"Desc\" FROM "
                            + table("Rescipe_ingredients.DB") + " i LEFT JOIN " + table(kIngredientLineTable)
                            + " l ON l.R_ING_ID = i.R_ING_ID LEFT JOIN " + table("FOOD_DES.db")
                            + " f ON f.NDB_No = i.NDB_No WHERE " + which + " ORDER BY i.R_ID, i.R_ING_ID");
    while (lines.step()) {
        const auto found = texts.find(lines.columnInt(0));
        if (found == texts.end())
            continue; // a line whose recipe is gone
        std::string& text = found->second.lines;
        if (!lines.columnIsNull(1)) {
            add(text, lines.columnText(1));
        } else {
            std::string written = lines.columnIsNull(2) ? std::string() : numberText(lines.columnDouble(2));
            for (int column : {3, 4})
                if (const std::string part = lines.columnText(column); !part.empty())
                    written += (written.empty() ? "" : " ") + part;
            add(text, written);
        }
        add(text, lines.columnText(5));
    }
    return texts;
}

bool holds(const std::string& foldedText, const std::string& foldedKeyword)
{
    return foldedText.find(foldedKeyword) != std::string::npos;
}

} // namespace

std::string foldedForSearch(std::string_view text)
{
    QString folded = withoutAccents(QString::fromUtf8(text.data(), qsizetype(text.size()))).toLower();
    for (QChar& c : folded) {
        if (c == u'\u2018' || c == u'\u2019' || c == u'\u02BC')
            c = u'\'';
        else if (c == u'\u201C' || c == u'\u201D')
            c = u'"';
    }
    return folded.toStdString();
}

int RecipeTextIndex::catchUp(SqliteDatabase& db)
{
    const std::string stale = table(kRecipeTextStaleTable);
    {
        auto any = db.prepare("SELECT 1 FROM " + stale + " LIMIT 1");
        if (!any.step())
            return 0;
    }
    // Inside a writer's transaction the index is written with its changes.
    std::optional<SqliteTransaction> transaction;
    if (!db.inTransaction())
        transaction.emplace(db);
    const auto texts = recipeTexts(db, "R_ID IN (SELECT R_ID FROM " + stale + ")");
    db.execute("DELETE FROM " + table(kRecipeTextTable) + " WHERE rowid IN (SELECT R_ID FROM " + stale + ")");
    auto insert = db.prepare("INSERT INTO " + table(kRecipeTextTable) + " (rowid, Body, Lines) VALUES (?, ?, ?)");
    for (const auto& [id, text] : texts) {
        insert.bindInt(1, id);
        insert.bindText(2, foldedForSearch(text.body));
        insert.bindText(3, foldedForSearch(text.lines));
        insert.step();
        insert.reset();
    }
    db.execute("DELETE FROM " + stale);
    if (transaction)
        transaction->commit();
    return int(texts.size());
}

RecipeTextIndex::Condition RecipeTextIndex::keywordCondition(const std::string& recipeId,
                                                             const std::string& foldedKeyword, int parameter,
                                                             bool linesOnly)
{
    const std::string text = table(kRecipeTextTable);
    const std::string bound = "?" + std::to_string(parameter);
    // Trigrams find a substring of three characters or more; a quoted phrase keeps
    // every character of the keyword literal.
    if (QString::fromStdString(foldedKeyword).size() >= 3) {
        std::string phrase = "\"";
        for (char c : foldedKeyword)
            phrase += c == '"' ? std::string("\"\"") : std::string(1, c);
        return {recipeId + " IN (SELECT rowid FROM " + text + " WHERE " + text + " MATCH " + bound + ")",
                (linesOnly ? "Lines : " : "") + phrase + "\""};
    }
    const std::string inLines = "instr(Lines, " + bound + ") > 0";
    return {recipeId + " IN (SELECT rowid FROM " + text + " WHERE "
                + (linesOnly ? inLines : "instr(Body, " + bound + ") > 0 OR " + inLines) + ")",
            foldedKeyword};
}

std::vector<std::int64_t> RecipeTextIndex::scan(const SqliteDatabase& db, const std::string& foldedKeyword)
{
    std::vector<std::int64_t> ids;
    for (const auto& [id, text] : recipeTexts(db, "1"))
        if (holds(foldedForSearch(text.body), foldedKeyword) || holds(foldedForSearch(text.lines), foldedKeyword))
            ids.push_back(id);
    return ids;
}
