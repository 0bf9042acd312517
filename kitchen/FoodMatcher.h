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
    // A curated name stands within the line's words and names its last word, the food
    // itself ("kosher salt" in "Morton kosher salt"), and no other word asks for a cooked
    // or preserved form of it: the other words are a maker's or a kind's, not another food.
    bool curatedHead = false;
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
    // The words a match compares: folded, without the ones that never tell foods apart, synonyms spelled out.
    QStringList foodWordsOf(const QString& foodWords) const { return queryWords(foodWords); }
    // Whether the curated table has these food words as one of its names.
    bool isCuratedName(const QString& foodWords);
    // The food whose volume measures weigh this one, as the curated table says; 0 for none.
    std::int32_t weighedAs(std::int32_t ndbNo);
    // Builds the index now when it is missing or stale.
    void prepare();

private:
    // Folded words are numbered as the index meets them; a food keeps its words' numbers.
    using WordId = std::int32_t;

    struct IndexedFood {
        std::int32_t ndbNo;
        QString description;
        std::vector<WordId> words; // each once, the description's first part (before its first comma) first
        std::size_t leadingWords;  // how many of `words` stand in that first part
        int groupPenalty;          // baby, fast, restaurant foods and meals
        bool brand;                // names a maker in capitals
        bool raw;
    };

    QStringList queryWords(const QString& foodWords) const;
    WordId idOf(const QString& foldedWord) const;
    WordId addWord(const QString& foldedWord);
    void indexFood(std::int32_t ndbNo, QString description, std::int64_t group);
    // Without `explained`, only the ranking: no description, no reason.
    struct CuratedWithin {
        std::int32_t ndbNo = 0;
        bool head = false;
        bool setsApart = false; // the name holds a word that makes the line's food another: "vegan"
    };
    // The longest curated name whose words all stand in the query, and not all of them.
    CuratedWithin curatedWithin(const QStringList& query) const;
    FoodCandidate scored(const IndexedFood& food, const QStringList& query, const std::vector<WordId>& queryIds,
                         bool curatedExact, bool curatedWithin, bool curatedHead, bool explained) const;

    const Database& database_;
    std::uint64_t indexedVersion_ = 0;
    bool indexed_ = false;
    std::vector<IndexedFood> foods_;
    QHash<std::int32_t, std::size_t> positionOf_;
    QHash<QString, WordId> wordIds_;
    std::vector<std::vector<std::uint32_t>> foodsWithWord_; // by word id, positions in foods_
    std::vector<bool> preparedWord_;                        // by word id: cooked, canned, frozen ...
    QString foldBuffer_;
    // Curated names, folded and without preparation words, to their food.
    QHash<QString, std::int32_t> curated_;
    std::vector<std::pair<QStringList, std::int32_t>> curatedWords_;
    QHash<std::int32_t, std::int32_t> weighedAs_;
};
