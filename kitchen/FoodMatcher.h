#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>
#include <vector>

class Database;

// One food a line's words may mean, with why it ranks where it does.
struct FoodCandidate {
    std::int32_t ndbNo = 0;
    QString description;
    double score = 0;
    QString reason;
    bool curated = false;  // the curated table names it for exactly these words
    bool allWords = false; // every food word of the line is in its description
};

// Finds the foods a line's food words name, over the foods' descriptions. The index
// is built on the first match, not before, and again when the food table changed.
class FoodMatcher {
public:
    explicit FoodMatcher(const Database& foods);

    // Best first; at most `limit`.
    std::vector<FoodCandidate> match(const QString& foodWords, std::size_t limit = 10);
    // One food by number, as a candidate chosen by the user; nothing when it is no food.
    std::optional<FoodCandidate> food(std::int32_t ndbNo);
    // Builds the index now when it is missing or stale.
    void prepare();

private:
    struct IndexedFood {
        std::int32_t ndbNo;
        QString description;
        QStringList words;        // folded, each once
        QStringList leadingWords; // the description's first part, before its first comma
        int groupPenalty;         // baby, fast, restaurant foods and meals
        bool brand;               // names a maker in capitals
        int preparedWords;        // cooked, canned, frozen ...
        bool raw;
    };

    QStringList queryWords(const QString& foodWords) const;
    FoodCandidate scored(const IndexedFood& food, const QStringList& query, bool curatedExact,
                         bool curatedWithin) const;

    const Database& database_;
    std::uint64_t indexedVersion_ = 0;
    bool indexed_ = false;
    std::vector<IndexedFood> foods_;
    QHash<std::int32_t, std::size_t> positionOf_;
    QHash<QString, std::vector<std::size_t>> foodsWithWord_;
    // Curated names, folded and without preparation words, to their food.
    QHash<QString, std::int32_t> curated_;
    std::vector<std::pair<QStringList, std::int32_t>> curatedWords_;
};
