#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class SqliteDatabase;

// Text as a keyword search compares it: case and accents make no difference, and the
// typographic apostrophes and quotes read as the plain ones ("Crème brûlée" holds "creme").
std::string foldedForSearch(std::string_view text);

// The keyword index of the recipes. A recipe's searchable text is its name, its
// ingredient lines as written (the kept line, else the three fields), the names of
// its linked foods, its procedure, author and source. The index holds that text
// folded, the ingredient part (lines and linked foods) in a column of its own; triggers note every recipe whose text a write changed, and the index
// catches up on those before it answers.
class RecipeTextIndex {
public:
    // Writes the text of every noted recipe anew; how many it wrote. Throws
    // ProgramError when the file cannot be written.
    static int catchUp(SqliteDatabase& db);

    // A condition on the recipe column `recipeId` that holds for recipes whose text
    // contains the keyword, with one parameter, ?N, bound to `parameter`.
    struct Condition {
        std::string sql;
        std::string parameter;
    };
    // `keyword` already folded; not empty. Three characters or more use the
    // trigram index; a shorter keyword reads the indexed text in full. With
    // `linesOnly` only the ingredient lines and linked foods' names count.
    static Condition keywordCondition(const std::string& recipeId, const std::string& foldedKeyword, int parameter,
                                      bool linesOnly = false);

    // The ids of the recipes whose text holds the keyword, by reading every recipe
    // afresh without the index: what the index must answer, and its stand-in on a
    // file that cannot be written.
    static std::vector<std::int64_t> scan(const SqliteDatabase& db, const std::string& foldedKeyword);
};
