#include "kitchen/IngredientLinker.h"

#include "kitchen/WordFolding.h"
#include "store/Database.h"

#include <QRegularExpression>

namespace {

constexpr std::int32_t kTapWater = 14411;

// A margin of a whole word between the best food and the next: the match is no toss-up.
constexpr double kClearLead = 1.0;

// Waters carry no volume measure of their own in some tables; a litre of water is a litre of water.
bool isWaterLike(const QString& description)
{
    const QStringList words = foldedWords(description);
    return words.value(0) == u"water" || (words.value(0) == u"beverage" && words.value(1) == u"water");
}

bool hasVolumeMeasure(const std::vector<FoodMeasure>& measures)
{
    return std::any_of(measures.begin(), measures.end(),
                       [](const FoodMeasure& m) { return m.unit && unitKind(*m.unit) == UnitKind::Volume; });
}

} // namespace

IngredientLinker::IngredientLinker(const Database& foods) : foods_(foods), matcher_(foods)
{
}

void IngredientLinker::prepare()
{
    matcher_.prepare();
}

// "butter or margarine", "light or dark brown sugar", "almond or cashew milk": the foods a line
// offers, the cook's first choice first. A first choice may share the food word of the one after
// it: "light" is light brown sugar, "reduced-salt vegetable" is vegetable stock, when the curated
// table knows the food so made; "butter" in "butter or coconut oil" stays butter.
QStringList IngredientLinker::choices(const QString& food)
{
    static const QRegularExpression orWord(QStringLiteral("\\s+or\\s+"), QRegularExpression::CaseInsensitiveOption);
    const QStringList parts = food.split(orWord, Qt::SkipEmptyParts);
    if (parts.size() < 2)
        return {food};
    const QStringList last = parts.back().split(u' ', Qt::SkipEmptyParts);
    QStringList found;
    for (qsizetype i = 0; i + 1 < parts.size(); ++i) {
        const QString& part = parts[i];
        const bool single = matcher_.foodWordsOf(part).size() == 1;
        if (last.size() > 1 && !part.endsWith(last.back(), Qt::CaseInsensitive)) {
            const QString joined = part + u' ' + (single ? last.mid(1).join(u' ') : last.back());
            const QString lastWord = part.split(u' ', Qt::SkipEmptyParts).back();
            if (matcher_.isCuratedName(joined)
                || (!matcher_.isCuratedName(part)
                    && (single || matcher_.isCuratedName(lastWord + u' ' + last.back())))) {
                found << joined;
                continue;
            }
        }
        found << part;
    }
    found << parts.back();
    return found;
}

void IngredientLinker::proposeFood(LinkProposal& proposal, const QString& foodWords)
{
    // A can holds canned food: "1 can tomatoes" are not raw ones. Yet a can of cola is cola,
    // which no food calls canned: then the food as named is the surer match.
    const bool canned = proposal.line.unit == Unit::Can || proposal.line.container == Unit::Can;
    if (!canned) {
        proposeMatch(proposal, foodWords, foodWords);
        return;
    }
    proposeMatch(proposal, QStringLiteral("canned ") + foodWords, foodWords);
    if (proposal.confident)
        return;
    LinkProposal asNamed = proposal;
    proposeMatch(asNamed, foodWords, foodWords);
    if (asNamed.confident)
        proposal = asNamed;
}

void IngredientLinker::proposeMatch(LinkProposal& proposal, const QString& query, const QString& foodWords)
{
    proposal.link.reset();
    proposal.confident = false;
    proposal.reason.clear();
    proposal.candidates = matcher_.match(query);
    if (proposal.candidates.empty()) {
        proposal.reason = foodWords.isEmpty() ? QStringLiteral("the line names no food")
                                              : QStringLiteral("no food matches \"%1\"").arg(foodWords);
        return;
    }
    const FoodCandidate& best = proposal.candidates.front();
    link(proposal, best);
    const bool clearLead = proposal.candidates.size() == 1
                           || best.score - proposal.candidates[1].score >= kClearLead;
    proposal.confident = proposal.link && (best.curated || ((best.allWords || best.curatedHead) && clearLead));
}

LinkProposal IngredientLinker::propose(const QString& line)
{
    LinkProposal proposal;
    proposal.line = readIngredientLine(line);
    const QStringList foods = choices(proposal.line.food);
    std::optional<LinkProposal> first;
    for (const QString& food : foods) {
        proposeFood(proposal, food);
        if (proposal.confident)
            return proposal;
        if (!first)
            first = proposal;
    }
    // No choice is a sure match: the first is the one to show.
    return first ? *first : proposal;
}

LinkProposal IngredientLinker::proposeFor(const LinkProposal& proposal, std::int32_t ndbNo)
{
    LinkProposal chosen;
    chosen.line = proposal.line;
    chosen.candidates = proposal.candidates;
    const auto found = std::find_if(chosen.candidates.begin(), chosen.candidates.end(),
                                    [&](const FoodCandidate& c) { return c.ndbNo == ndbNo; });
    std::optional<FoodCandidate> food = found != chosen.candidates.end() ? std::optional(*found) : matcher_.food(ndbNo);
    if (!food) {
        chosen.reason = QStringLiteral("there is no food %1").arg(ndbNo);
        return chosen;
    }
    link(chosen, *food);
    chosen.confident = chosen.link.has_value();
    return chosen;
}

void IngredientLinker::link(LinkProposal& proposal, const FoodCandidate& food)
{
    const std::vector<FoodMeasure> measures = measuresOf(foods_.sqlite(), food.ndbNo);
    GramResult grams = gramsFor(proposal.line, measures);
    const IngredientLine& line = proposal.line;
    const bool volume = line.unit && unitKind(*line.unit) == UnitKind::Volume;
    if (!grams.grams && volume && !hasVolumeMeasure(measures)) {
        // A food the tables weigh only by mass is weighed by volume as a kin of it.
        const std::int32_t kin = isWaterLike(food.description) ? kTapWater : matcher_.weighedAs(food.ndbNo);
        if (kin) {
            grams = gramsFor(line, measuresOf(foods_.sqlite(), kin));
            grams.measure.reset(); // the kin's measure is no measure of this food
            if (grams.grams)
                grams.reason = kin == kTapWater ? QStringLiteral("by volume, weighed as tap water")
                                                : QStringLiteral("by volume, weighed as %1")
                                                      .arg(matcher_.food(kin).value_or(FoodCandidate{}).description);
        }
    }
    proposal.reason = grams.reason;
    if (!grams.grams)
        return;
    IngredientLink made;
    made.ndbNo = food.ndbNo;
    const bool ownMeasure = grams.measure && !grams.stated;
    made.byGram = !ownMeasure;
    made.quantity = ownMeasure ? grams.measureCount : *grams.grams;
    made.weightInGram = *grams.grams;
    // The dialog stores the measure it shows: the one used, else the food's first.
    const FoodMeasure* shown = ownMeasure ? &*grams.measure : (measures.empty() ? nullptr : &measures.front());
    if (shown) {
        made.weightId = shown->weightId;
        made.measure = shown->description;
    }
    proposal.link = made;
}
