#include "kitchen/FoodMatcher.h"

#include "kitchen/CuratedFoods.h"
#include "kitchen/WordFolding.h"
#include "store/Database.h"
#include "store/Sqlite.h"

#include <QSet>

#include <algorithm>

namespace {

const QString kFoodTable = QStringLiteral("FOOD_DES.db");

// Words that say how a food is cut, how much, or how good, never which food it is.
const QSet<QString>& ignoredWords()
{
    static const QSet<QString> words = [] {
        QSet<QString> set;
        for (const char* word :
             {"a", "an", "the", "of", "and", "or", "with", "to", "into", "in", "for", "fresh", "freshly", "chopped",
              "diced", "minced", "sliced", "grated", "shredded", "melted", "softened", "finely", "roughly", "coarsely",
              "thinly", "large", "medium", "small", "extra", "ripe", "good", "quality", "organic", "best", "homemade",
              "peeled", "cubed", "beaten", "halved", "quartered", "trimmed", "packed", "sifted", "lightly", "firmly",
              "loosely", "cold", "room", "temperature", "divided", "optional", "pure", "about", "plus", "more",
              "some", "few", "little", "your", "favorite", "favourite", "store", "bought", "high", "premium"})
            set.insert(foldedWord(QString::fromLatin1(word)));
        return set;
    }();
    return words;
}

// British and other names to the ones the food descriptions use.
const QHash<QString, QStringList>& synonyms()
{
    static const QHash<QString, QStringList> words = [] {
        QHash<QString, QStringList> map;
        const std::pair<const char*, const char*> pairs[] = {
            {"courgette", "zucchini"}, {"aubergine", "eggplant"}, {"rocket", "arugula"},  {"prawn", "shrimp"},
            {"yoghurt", "yogurt"},     {"chilli", "chili"},       {"capsicum", "pepper"}, {"beetroot", "beet"},
            {"swede", "rutabaga"},     {"sultana", "raisin"},     {"mince", "ground"},    {"cornflour", "cornstarch"},
            {"treacle", "molasses"},   {"coriander", "coriander cilantro"}, {"scallion", "scallion onion spring"},
            {"mangetout", "snow pea"}, {"gammon", "ham"},         {"groundnut", "peanut"}, {"jam", "jam preserve"},
        };
        for (const auto& [from, to] : pairs)
            map.insert(foldedWord(QString::fromLatin1(from)), foldedWords(QString::fromLatin1(to)));
        return map;
    }();
    return words;
}

const QSet<QString>& preparedWords()
{
    static const QSet<QString> words = [] {
        QSet<QString> set;
        for (const char* word : {"cooked", "boiled", "fried", "roasted", "baked", "braised", "stewed", "canned",
                                 "frozen", "prepared", "dehydrated", "microwaved", "grilled", "broiled", "steamed",
                                 "drained", "glazed", "breaded", "battered", "pickled", "sweetened", "mix", "toasted",
                                 "reconstituted", "heated", "simmered", "candied", "condensed", "powder", "dried", "crushed",
                                 "sliced", "chopped", "diced", "mashed", "pureed"})
            set.insert(foldedWord(QString::fromLatin1(word)));
        return set;
    }();
    return words;
}

int groupPenaltyOf(std::int64_t group)
{
    switch (group) {
    case 300:  // baby foods
    case 2100: // fast foods
    case 3600: // restaurant foods
        return 2;
    case 2200: // meals, entrees and side dishes
    case 3500: // foods of one people's tradition
    case 2500: // snacks
        return 1;
    default:
        return 0;
    }
}

// A maker's name stands in capitals: "CAMPBELL'S", "KRAFT"; the food tables' own words never do.
bool namesBrand(const QString& description)
{
    int capitals = 0;
    for (QChar c : description) {
        if (c.isUpper()) {
            if (++capitals >= 3)
                return true;
        } else if (c.isLetter()) {
            capitals = 0;
        } else if (c != u'\'' && c != u'&') {
            capitals = 0;
        }
    }
    return false;
}

QStringList uniqueWords(const QStringList& words)
{
    QStringList unique;
    for (const QString& word : words)
        if (!unique.contains(word))
            unique << word;
    return unique;
}

} // namespace

FoodMatcher::FoodMatcher(const Database& foods) : database_(foods)
{
}

void FoodMatcher::prepare()
{
    const std::uint64_t version = database_.tableVersion(kFoodTable.toStdString());
    if (indexed_ && version == indexedVersion_)
        return;
    foods_.clear();
    positionOf_.clear();
    foodsWithWord_.clear();
    const QSet<QString>& prepared = preparedWords();
    auto statement = database_.sqlite().prepare(R"(SELECT "NDB_No", "FdGrp_Cd", "Desc" FROM "FOOD_DES.db")");
    while (statement.step()) {
        IndexedFood food;
        food.ndbNo = static_cast<std::int32_t>(statement.columnInt(0));
        food.description = QString::fromStdString(statement.columnText(2));
        const QStringList all = foldedWords(food.description);
        food.words = uniqueWords(all);
        food.leadingWords = foldedWords(QStringView(food.description).first(
            std::max<qsizetype>(0, food.description.indexOf(u',') < 0 ? food.description.size()
                                                                       : food.description.indexOf(u','))));
        food.groupPenalty = groupPenaltyOf(statement.columnInt(1));
        food.brand = namesBrand(food.description);
        food.preparedWords = 0;
        food.raw = false;
        for (const QString& word : food.words) {
            food.preparedWords += prepared.contains(word) ? 1 : 0;
            food.raw = food.raw || word == u"raw";
        }
        const std::size_t position = foods_.size();
        for (const QString& word : food.words)
            foodsWithWord_[word].push_back(position);
        positionOf_.insert(food.ndbNo, position);
        foods_.push_back(std::move(food));
    }
    curated_.clear();
    curatedWords_.clear();
    for (const CuratedFood& entry : curatedFoods()) {
        if (!positionOf_.contains(entry.ndbNo))
            continue; // a food the user removed
        const QStringList words = queryWords(entry.name);
        // The first row naming these words wins: "tomato" stays the raw one, not "diced tomato".
        if (!curated_.contains(words.join(u' ')))
            curated_.insert(words.join(u' '), entry.ndbNo);
        curatedWords_.emplace_back(words, entry.ndbNo);
    }
    indexedVersion_ = version;
    indexed_ = true;
}

QStringList FoodMatcher::queryWords(const QString& foodWords) const
{
    const QSet<QString>& ignored = ignoredWords();
    const QHash<QString, QStringList>& alias = synonyms();
    QStringList words;
    for (const QString& word : foldedWords(foodWords)) {
        if (ignored.contains(word))
            continue;
        if (auto found = alias.constFind(word); found != alias.constEnd())
            words << *found;
        else
            words << word;
    }
    return uniqueWords(words);
}

FoodCandidate FoodMatcher::scored(const IndexedFood& food, const QStringList& query, bool curatedExact,
                                  bool curatedWithin) const
{
    FoodCandidate candidate;
    candidate.ndbNo = food.ndbNo;
    candidate.description = food.description;
    candidate.curated = curatedExact;
    if (curatedExact) {
        candidate.score = 100;
        candidate.allWords = true;
        candidate.reason = QStringLiteral("the usual food for \"%1\"").arg(query.join(u' '));
        return candidate;
    }
    int matched = 0;
    for (const QString& word : query)
        matched += food.words.contains(word) ? 1 : 0;
    const double coverage = query.isEmpty() ? 0 : double(matched) / double(query.size());
    const double brevity = food.words.isEmpty() ? 0 : double(matched) / double(food.words.size());
    const bool headMatched = !query.isEmpty() && food.leadingWords.contains(query.back());
    // "Tomatoes, ..." is named wholly by "tomatoes"; "Tomato products, ..." only in part.
    const bool leadNamed = headMatched && std::all_of(food.leadingWords.begin(), food.leadingWords.end(),
                                                      [&](const QString& word) { return query.contains(word); });
    int preparedNotAsked = 0;
    for (const QString& word : food.words)
        if (!query.contains(word) && preparedWords().contains(word))
            ++preparedNotAsked;
    candidate.allWords = matched == query.size();
    candidate.score = 10 * coverage + 1.5 * brevity + (headMatched ? 2 : 0) + (leadNamed ? 1 : 0) + (food.raw ? 0.5 : 0)
                      - 1.0 * preparedNotAsked - 4.0 * food.groupPenalty - (food.brand ? 3 : 0)
                      + (curatedWithin ? 3 : 0);
    QStringList why;
    why << QStringLiteral("%1 of %2 words").arg(matched).arg(query.size());
    if (headMatched)
        why << QStringLiteral("names the food first");
    if (curatedWithin)
        why << QStringLiteral("the usual food for part of the words");
    if (food.raw)
        why << QStringLiteral("raw");
    if (preparedNotAsked > 0)
        why << QStringLiteral("prepared");
    if (food.groupPenalty > 0)
        why << QStringLiteral("a dish or a special food group");
    if (food.brand)
        why << QStringLiteral("a brand");
    candidate.reason = why.join(QStringLiteral(", "));
    return candidate;
}

std::vector<FoodCandidate> FoodMatcher::match(const QString& foodWords, std::size_t limit)
{
    prepare();
    const QStringList query = queryWords(foodWords);
    if (query.isEmpty() || limit == 0)
        return {};
    const auto exact = curated_.constFind(query.join(u' '));
    const std::int32_t curatedFood = exact != curated_.constEnd() ? *exact : 0;
    // The longest curated name whose words all stand in the line: "sharp cheddar cheese" holds "cheddar cheese".
    std::int32_t withinFood = 0;
    qsizetype withinLength = 0;
    for (const auto& [words, ndbNo] : curatedWords_) {
        if (words.size() <= withinLength || words.size() >= query.size())
            continue;
        if (std::all_of(words.begin(), words.end(), [&](const QString& word) { return query.contains(word); })) {
            withinFood = ndbNo;
            withinLength = words.size();
        }
    }
    std::vector<std::size_t> positions;
    for (const QString& word : query)
        if (auto found = foodsWithWord_.constFind(word); found != foodsWithWord_.constEnd())
            positions.insert(positions.end(), found->begin(), found->end());
    if (curatedFood)
        positions.push_back(positionOf_.value(curatedFood));
    if (withinFood)
        positions.push_back(positionOf_.value(withinFood));
    std::sort(positions.begin(), positions.end());
    positions.erase(std::unique(positions.begin(), positions.end()), positions.end());

    std::vector<FoodCandidate> candidates;
    candidates.reserve(positions.size());
    for (std::size_t position : positions) {
        const IndexedFood& food = foods_[position];
        candidates.push_back(scored(food, query, food.ndbNo == curatedFood, food.ndbNo == withinFood));
    }
    const auto better = [](const FoodCandidate& a, const FoodCandidate& b) {
        if (a.score != b.score)
            return a.score > b.score;
        return a.ndbNo < b.ndbNo;
    };
    const std::size_t kept = std::min(limit, candidates.size());
    std::partial_sort(candidates.begin(), candidates.begin() + static_cast<std::ptrdiff_t>(kept), candidates.end(),
                      better);
    candidates.resize(kept);
    return candidates;
}

std::optional<FoodCandidate> FoodMatcher::food(std::int32_t ndbNo)
{
    prepare();
    const auto found = positionOf_.constFind(ndbNo);
    if (found == positionOf_.constEnd())
        return std::nullopt;
    FoodCandidate candidate;
    candidate.ndbNo = ndbNo;
    candidate.description = foods_[*found].description;
    candidate.reason = QStringLiteral("chosen");
    return candidate;
}
