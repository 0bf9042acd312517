#include "kitchen/FoodMatcher.h"

#include "kitchen/CuratedFoods.h"
#include "kitchen/WordFolding.h"
#include "store/Database.h"
#include "store/Sqlite.h"

#include <QRegularExpression>
#include <QSet>

#include <algorithm>
#include <tuple>

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

// Words that make a food something else than the food they name: "non-dairy milk", "vegan butter",
// or another size of it, which its count measures do not weigh: "baby bok choy".
const QSet<QString>& unlikeWords()
{
    static const QSet<QString> words = [] {
        QSet<QString> set;
        for (const char* word : {"non", "nondairy", "vegan", "baby", "mini", "nutritional", "plant", "free", "imitation", "substitute", "alternative",
                                 "replacer", "flavored", "flavoured", "flavor", "flavour"})
            set.insert(foldedWord(QString::fromLatin1(word)));
        return set;
    }();
    return words;
}

// Of the prepared words, the ones after which a food weighs other than the one named: cooked rice,
// canned beans, dried fruit. Frozen, toasted or cut, a food is still itself by the gram.
bool changesWeight(const QString& word)
{
    static const QSet<QString> same = [] {
        QSet<QString> set;
        for (const char* kept : {"frozen", "toasted", "crushed", "sliced", "chopped", "diced", "mashed", "pureed", "heated"})
            set.insert(foldedWord(QString::fromLatin1(kept)));
        return set;
    }();
    return preparedWords().contains(word) && !same.contains(word);
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

FoodMatcher::WordId FoodMatcher::idOf(const QString& foldedWord) const
{
    return wordIds_.value(foldedWord, -1);
}

FoodMatcher::WordId FoodMatcher::addWord(const QString& foldedWord)
{
    const auto found = wordIds_.constFind(foldedWord);
    if (found != wordIds_.constEnd())
        return *found;
    const auto id = static_cast<WordId>(foodsWithWord_.size());
    wordIds_.insert(foldedWord, id);
    foodsWithWord_.emplace_back();
    preparedWord_.push_back(preparedWords().contains(foldedWord));
    return id;
}

// Each description is split and folded once, word by word, through one buffer.
void FoodMatcher::indexFood(std::int32_t ndbNo, QString description, std::int64_t group)
{
    IndexedFood food;
    food.ndbNo = ndbNo;
    food.description = std::move(description);
    const QStringView text = food.description;
    const qsizetype comma = text.indexOf(u',');
    food.leadingWords = 0;
    food.raw = false;
    qsizetype at = 0;
    while (const auto word = nextWord(text, at)) {
        foldWordInto(*word, foldBuffer_);
        const WordId id = addWord(foldBuffer_);
        if (std::find(food.words.begin(), food.words.end(), id) != food.words.end())
            continue;
        food.words.push_back(id);
        if (comma < 0 || word->data() < text.data() + comma)
            food.leadingWords = food.words.size();
        food.raw = food.raw || foldBuffer_ == u"raw";
    }
    food.groupPenalty = groupPenaltyOf(group);
    food.brand = namesBrand(food.description);
    const auto position = static_cast<std::uint32_t>(foods_.size());
    for (const WordId id : food.words)
        foodsWithWord_[std::size_t(id)].push_back(position);
    positionOf_.insert(food.ndbNo, position);
    foods_.push_back(std::move(food));
}

void FoodMatcher::prepare()
{
    const std::uint64_t version = database_.tableVersion(kFoodTable.toStdString());
    if (indexed_ && version == indexedVersion_)
        return;
    foods_.clear();
    positionOf_.clear();
    wordIds_.clear();
    foodsWithWord_.clear();
    preparedWord_.clear();
    auto count = database_.sqlite().prepare(R"(SELECT count(*) FROM "FOOD_DES.db")");
    if (count.step()) {
        const auto foods = static_cast<std::size_t>(count.columnInt(0));
        foods_.reserve(foods);
        positionOf_.reserve(static_cast<qsizetype>(foods));
    }
    auto statement = database_.sqlite().prepare(R"(SELECT "NDB_No", "FdGrp_Cd", "Desc" FROM "FOOD_DES.db")");
    while (statement.step())
        indexFood(static_cast<std::int32_t>(statement.columnInt(0)), QString::fromStdString(statement.columnText(2)),
                  statement.columnInt(1));
    curated_.clear();
    curatedWords_.clear();
    weighedAs_.clear();
    for (const CuratedFood& entry : curatedFoods()) {
        if (!positionOf_.contains(entry.ndbNo))
            continue; // a food the user removed
        const QStringList words = queryWords(entry.name);
        // The first row naming these words wins: "tomato" stays the raw one, not "diced tomato".
        if (!curated_.contains(words.join(u' ')))
            curated_.insert(words.join(u' '), entry.ndbNo);
        curatedWords_.emplace_back(words, entry.ndbNo);
        if (entry.weighedAs && positionOf_.contains(entry.weighedAs))
            weighedAs_.insert(entry.ndbNo, entry.weighedAs);
    }
    indexedVersion_ = version;
    indexed_ = true;
}

QStringList FoodMatcher::queryWords(const QString& foodWords) const
{
    const QSet<QString>& ignored = ignoredWords();
    const QHash<QString, QStringList>& alias = synonyms();
    // A word marked ™ or ® is a maker's name for the food, not the food: "Jell-O™ gelatin".
    QString unbranded;
    if (foodWords.contains(u'™') || foodWords.contains(u'®')) {
        static const QRegularExpression marked(QStringLiteral("[^\\s]+[™®]"));
        unbranded = QString(foodWords).remove(marked);
    }
    QStringList words;
    for (const QString& word : foldedWords(unbranded.isNull() ? foodWords : unbranded)) {
        if (ignored.contains(word))
            continue;
        if (auto found = alias.constFind(word); found != alias.constEnd())
            words << *found;
        else
            words << word;
    }
    return uniqueWords(words);
}

FoodCandidate FoodMatcher::scored(const IndexedFood& food, const QStringList& query,
                                  const std::vector<WordId>& queryIds, bool curatedExact, bool curatedWithin,
                                  bool curatedHead, bool explained) const
{
    FoodCandidate candidate;
    candidate.ndbNo = food.ndbNo;
    if (explained)
        candidate.description = food.description;
    candidate.curated = curatedExact;
    if (curatedExact) {
        candidate.score = 100;
        candidate.allWords = true;
        if (explained)
            candidate.reason = QStringLiteral("the usual food for \"%1\"").arg(query.join(u' '));
        return candidate;
    }
    const auto asked = [&](WordId id) { return std::find(queryIds.begin(), queryIds.end(), id) != queryIds.end(); };
    const auto leadingEnd = food.words.begin() + static_cast<std::ptrdiff_t>(food.leadingWords);
    int matched = 0;
    for (const WordId id : queryIds)
        matched += std::find(food.words.begin(), food.words.end(), id) != food.words.end() ? 1 : 0;
    const double coverage = query.isEmpty() ? 0 : double(matched) / double(query.size());
    const double brevity = food.words.empty() ? 0 : double(matched) / double(food.words.size());
    const bool headMatched = !queryIds.empty() && std::find(food.words.begin(), leadingEnd, queryIds.back()) != leadingEnd;
    // "Tomatoes, ..." is named wholly by "tomatoes"; "Tomato products, ..." only in part.
    const bool leadNamed = headMatched && std::all_of(food.words.begin(), leadingEnd, asked);
    int preparedNotAsked = 0;
    for (const WordId id : food.words)
        if (!asked(id) && preparedWord_[std::size_t(id)])
            ++preparedNotAsked;
    candidate.allWords = matched == query.size();
    candidate.curatedHead = curatedWithin && curatedHead;
    candidate.score = 10 * coverage + 1.5 * brevity + (headMatched ? 2 : 0) + (leadNamed ? 1 : 0) + (food.raw ? 0.5 : 0)
                      - 1.0 * preparedNotAsked - 4.0 * food.groupPenalty - (food.brand ? 3 : 0)
                      + (curatedWithin ? 3 : 0);
    if (!explained)
        return candidate;
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
    const CuratedWithin within = curatedWithin(query);
    const std::int32_t withinFood = within.ndbNo;
    const bool withinHead = within.head;
    std::vector<WordId> queryIds;
    queryIds.reserve(std::size_t(query.size()));
    std::vector<std::size_t> positions;
    for (const QString& word : query) {
        queryIds.push_back(idOf(word));
        if (queryIds.back() >= 0) {
            const std::vector<std::uint32_t>& foods = foodsWithWord_[std::size_t(queryIds.back())];
            positions.insert(positions.end(), foods.begin(), foods.end());
        }
    }
    if (curatedFood)
        positions.push_back(positionOf_.value(curatedFood));
    if (withinFood)
        positions.push_back(positionOf_.value(withinFood));
    std::sort(positions.begin(), positions.end());
    positions.erase(std::unique(positions.begin(), positions.end()), positions.end());

    // Every food is ranked; only the ones kept are described and explained.
    std::vector<FoodCandidate> candidates;
    candidates.reserve(positions.size());
    for (std::size_t position : positions) {
        const IndexedFood& food = foods_[position];
        candidates.push_back(
            scored(food, query, queryIds, food.ndbNo == curatedFood, food.ndbNo == withinFood, withinHead, false));
    }
    // When no food's description holds every word, the curated name that names the food itself
    // leads: "full fat coconut milk" is coconut milk before a milk that only has "fat".
    constexpr double kNamedFoodLead = 3;
    const bool anyAllWords =
        std::any_of(candidates.begin(), candidates.end(), [](const FoodCandidate& c) { return c.allWords; });
    // A curated name that holds the word making the line another food ("vegan butter", "plant milk")
    // leads even a food that has every other word: butter is no vegan butter.
    const bool leadNamed = withinFood && withinHead && (!anyAllWords || within.setsApart);
    const double lead = within.setsApart ? 2 * kNamedFoodLead : kNamedFoodLead;
    if (leadNamed)
        for (FoodCandidate& candidate : candidates)
            if (candidate.ndbNo == withinFood)
                candidate.score += lead;
    const auto better = [](const FoodCandidate& a, const FoodCandidate& b) {
        if (a.score != b.score)
            return a.score > b.score;
        return a.ndbNo < b.ndbNo;
    };
    const std::size_t kept = std::min(limit, candidates.size());
    std::partial_sort(candidates.begin(), candidates.begin() + static_cast<std::ptrdiff_t>(kept), candidates.end(),
                      better);
    candidates.resize(kept);
    for (FoodCandidate& candidate : candidates) {
        candidate = scored(foods_[positionOf_.value(candidate.ndbNo)], query, queryIds, candidate.ndbNo == curatedFood,
                           candidate.ndbNo == withinFood, withinHead, true);
        if (leadNamed && candidate.ndbNo == withinFood)
            candidate.score += lead;
    }
    return candidates;
}

FoodMatcher::CuratedWithin FoodMatcher::curatedWithin(const QStringList& query) const
{
    // A name holding the line's last word, the food itself, comes first; then one that ends the
    // line in two words or more ("full fat coconut milk" is coconut milk, though "full fat milk"
    // is a name too); then the longest ("poblano chili pepper" is a poblano pepper).
    CuratedWithin found;
    std::tuple<bool, bool, qsizetype> best{false, false, 0};
    for (const auto& [words, ndbNo] : curatedWords_) {
        if (words.size() >= query.size())
            continue;
        const bool head = words.contains(query.back());
        const bool ends = words.size() >= 2 && query.sliced(query.size() - words.size()) == words;
        const std::tuple<bool, bool, qsizetype> rank{head, ends, words.size()};
        if (rank <= best)
            continue;
        if (std::all_of(words.begin(), words.end(), [&](const QString& word) { return query.contains(word); })) {
            found.ndbNo = ndbNo;
            best = rank;
            found.head = head;
            // Another word that names a food makes it that food's kind: "oat milk", "strawberry kefir";
            // salt and sugar beside another food say how much of them it holds: "reduced-salt stock".
            // A food named as a flavour is none: "strawberry-flavored gelatin".
            const auto namesFood = [&](qsizetype at) {
                const QString& word = query[at];
                const QString next = query.value(at + 1);
                return curated_.contains(word) && word != u"salt" && word != u"sugar"
                       && !(next.startsWith(u"flavor") || next.startsWith(u"flavour"));
            };
            const auto isFlavour = [](const QString& word) {
                return word.startsWith(u"flavor") || word.startsWith(u"flavour");
            };
            found.setsApart = false;
            for (qsizetype at = 0; at < query.size(); ++at) {
                const QString& word = query[at];
                const bool unlike = unlikeWords().contains(word);
                found.setsApart = found.setsApart || (unlike && words.contains(word));
                const bool flavourOfFood = isFlavour(word) && at > 0 && curated_.contains(query[at - 1]);
                found.head = found.head
                             && (words.contains(word)
                                 || !(changesWeight(word) || (unlike && !flavourOfFood) || namesFood(at)));
            }
        }
    }
    return found;
}

std::int32_t FoodMatcher::weighedAs(std::int32_t ndbNo)
{
    prepare();
    return weighedAs_.value(ndbNo, 0);
}

bool FoodMatcher::isCuratedName(const QString& foodWords)
{
    prepare();
    const QStringList words = queryWords(foodWords);
    return !words.isEmpty() && curated_.contains(words.join(u' '));
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
