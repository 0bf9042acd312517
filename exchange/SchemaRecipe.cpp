#include "exchange/SchemaRecipe.h"

#include "exchange/HtmlText.h"
#include "exchange/ProcedureSteps.h"
#include "exchange/SaporiaData.h"
#include "exchange/TextNumbers.h"

#include <QJsonArray>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>
#include <functional>
#include <optional>

namespace {

constexpr int kMaxDepth = 128; // JSON is refused past 64; microdata items stop earlier

QString typeName(QString type)
{
    const qsizetype cut = std::max(type.lastIndexOf(u'/'), type.lastIndexOf(u':'));
    return cut >= 0 ? type.mid(cut + 1) : type;
}

// Saporia's own files hold plain text, taken as written; other texts may hold markup.
QString cleanLine(const QString& text, bool literal)
{
    return literal ? text : collapsedBlanks(markupText(text));
}

QStringList cleanLines(const QString& text, bool literal)
{
    if (literal)
        return {text}; // even empty: Saporia's lines pair with their links by position
    return textLines(markupText(text));
}

// A value as one line of text; objects give their name or text.
QString textOf(const QJsonValue& value, bool literal = false)
{
    switch (value.type()) {
    case QJsonValue::String:
        return cleanLine(value.toString(), literal);
    case QJsonValue::Double:
        return QString::number(value.toDouble(), 'g', 15);
    case QJsonValue::Array:
        for (const QJsonValue& item : value.toArray())
            if (QString text = textOf(item, literal); !text.isEmpty())
                return text;
        return {};
    case QJsonValue::Object: {
        const QJsonObject object = value.toObject();
        for (const char* key : {"name", "text", "@value"})
            if (QString text = textOf(object.value(QLatin1StringView(key)), literal); !text.isEmpty())
                return text;
        return {};
    }
    default:
        return {};
    }
}

std::optional<double> firstNumber(const QJsonValue& value)
{
    if (value.isDouble())
        return value.toDouble();
    if (value.isArray()) {
        for (const QJsonValue& item : value.toArray())
            if (auto number = firstNumber(item))
                return number;
        return std::nullopt;
    }
    if (value.isObject()) {
        const QJsonObject object = value.toObject();
        return firstNumber(object.contains(QLatin1StringView("value")) ? object.value(QLatin1StringView("value"))
                                                                        : object.value(QLatin1StringView("name")));
    }
    return firstNumber(textOf(value));
}

std::optional<double> durationMinutes(const QJsonValue& value)
{
    return durationMinutes(textOf(value));
}

// "250 kcal", "1,046 kJ", "12 g", "300 mg", "0.3 g" of sodium: the amount in the unit the draft keeps.
std::optional<double> nutrientAmount(const QJsonValue& value, bool inMilligrams)
{
    const QString text = textOf(value);
    static const QRegularExpression amount(
        QStringLiteral("(\\d{1,3}(?:,\\d{3})+(?:\\.\\d+)?|\\d+(?:[.,]\\d+)?|[.,]\\d+)\\s*(mg|milligrams?|g|grams?|kj|kilojoules?)?\\b"),
        QRegularExpression::CaseInsensitiveOption);
    const auto match = amount.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    QString digits = match.captured(1);
    static const QRegularExpression thousands(QStringLiteral("^\\d{1,3}(?:,\\d{3})+(?:\\.\\d+)?$"));
    if (thousands.match(digits).hasMatch())
        digits.remove(u',');
    double number = digits.replace(u',', u'.').toDouble();
    const QString unit = match.captured(2).toLower();
    constexpr double kKilojoulesPerKilocalorie = 4.184;
    if (unit.startsWith(u'k'))
        return number / kKilojoulesPerKilocalorie;
    const bool givenInMilligrams = unit.startsWith(u'm');
    const bool givenInGrams = !unit.isEmpty() && !givenInMilligrams;
    if (inMilligrams && givenInGrams)
        number *= 1000;
    else if (!inMilligrams && givenInMilligrams)
        number /= 1000;
    return number;
}

NutritionPerServe nutritionOf(const QJsonObject& nutrition)
{
    const auto read = [&](const char* key, bool inMilligrams) {
        return nutrientAmount(nutrition.value(QLatin1StringView(key)), inMilligrams);
    };
    NutritionPerServe result;
    result.calories = read("calories", false);
    result.fat = read("fatContent", false);
    result.saturatedFat = read("saturatedFatContent", false);
    result.carbohydrate = read("carbohydrateContent", false);
    result.sugar = read("sugarContent", false);
    result.fibre = read("fiberContent", false);
    result.protein = read("proteinContent", false);
    result.sodium = read("sodiumContent", true);
    result.cholesterol = read("cholesterolContent", true);
    return result;
}

QStringList valuesAsTexts(const QJsonValue& value, bool literal)
{
    QStringList texts;
    if (value.isArray()) {
        for (const QJsonValue& item : value.toArray())
            texts += valuesAsTexts(item, literal);
    } else if (value.isString()) {
        texts += cleanLines(value.toString(), literal);
    } else if (QString text = textOf(value, literal); !text.isEmpty()) {
        texts.append(text);
    }
    return texts;
}

// Names given as one text are a comma list ("Dessert, Snack"); in a list each item is one name.
QStringList namesOf(const QJsonValue& value, bool literal)
{
    QStringList names;
    const auto add = [&](const QString& name) {
        const QString clean = literal ? name : collapsedBlanks(name);
        if (!clean.isEmpty() && (literal || !names.contains(clean, Qt::CaseInsensitive)))
            names.append(clean);
    };
    if (value.isArray()) {
        for (const QJsonValue& item : value.toArray())
            add(textOf(item, literal));
    } else if (literal) {
        add(textOf(value, literal));
    } else {
        for (const QString& part : textOf(value, literal).split(u','))
            add(part);
    }
    return names;
}

// Recipe plugins wrap a note that has its parentheses in a pair of their own:
// "butter ((softened))". The outer pair adds nothing a reader sees on the page.
QString withoutWrappingParentheses(const QString& line)
{
    std::vector<qsizetype> open;
    std::vector<qsizetype> removed;
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (line[i] == u'(') {
            open.push_back(i);
        } else if (line[i] == u')') {
            if (open.empty())
                return line;
            const qsizetype start = open.back();
            open.pop_back();
            const QString content = line.mid(start + 1, i - start - 1);
            if (content.startsWith(u'(') && content.endsWith(u')'))
                removed.insert(removed.end(), {start, i});
        }
    }
    if (!open.empty() || removed.empty())
        return line;
    std::sort(removed.begin(), removed.end(), std::greater<>());
    QString tidy = line;
    for (qsizetype index : removed)
        tidy.remove(index, 1);
    return collapsedBlanks(tidy);
}

class InstructionReader {
public:
    explicit InstructionReader(bool literal) : literal_(literal) {}

    void read(const QJsonValue& value, int depth)
    {
        if (depth > kMaxDepth)
            return;
        if (value.isArray()) {
            for (const QJsonValue& item : value.toArray())
                read(item, depth + 1);
        } else if (value.isString()) {
            for (const QString& line : cleanLines(value.toString(), literal_))
                addStep(line);
        } else if (value.isObject()) {
            readObject(value.toObject(), depth);
        }
    }

    std::vector<ProcedureSection> sections() const { return sections_; }

private:
    void readObject(const QJsonObject& object, int depth)
    {
        const QJsonValue items = object.value(QLatin1StringView("itemListElement"));
        if (hasSchemaType(object, QStringLiteral("HowToSection"))) {
            sections_.push_back({textOf(object.value(QLatin1StringView("name")), literal_), {}});
            read(items, depth + 1);
            return;
        }
        const QJsonValue text = object.value(QLatin1StringView("text"));
        if (!text.isUndefined() && !text.isNull()) {
            addStep(cleanLines(text.isString() ? text.toString() : textOf(text, literal_), literal_).join(u' '));
        } else if (!items.isUndefined()) {
            read(items, depth + 1);
        } else if (object.contains(QLatin1StringView("item"))) {
            read(object.value(QLatin1StringView("item")), depth + 1);
        } else {
            addStep(textOf(object.value(QLatin1StringView("name")), literal_));
        }
    }

    void addStep(const QString& text)
    {
        const QString step = literal_ ? text : withoutStepNumber(collapsedBlanks(text));
        if (step.isEmpty())
            return;
        if (sections_.empty())
            sections_.emplace_back();
        sections_.back().steps.append(step);
    }

    bool literal_;
    std::vector<ProcedureSection> sections_;
};

std::string utf8(const QString& text)
{
    return text.toStdString();
}

std::optional<DraftLink> linkOf(const QJsonValue& value)
{
    namespace sd = saporia_data;
    if (!value.isObject())
        return std::nullopt;
    const QJsonObject object = value.toObject();
    DraftLink link;
    link.ndbNo = object.value(sd::kNdbNo).toInteger();
    link.food = utf8(object.value(sd::kFood).toString());
    link.byGram = object.value(sd::kByGram).toBool(true);
    link.measure = utf8(object.value(sd::kMeasure).toString());
    link.amount = object.value(sd::kAmount).toDouble();
    link.grams = object.value(sd::kGrams).toDouble();
    return link;
}

// Saporia's own members, over what the schema.org properties gave.
void applySaporiaData(const QJsonObject& data, RecipeDraft& draft)
{
    namespace sd = saporia_data;
    if (data.contains(sd::kWebPageName))
        draft.webPageName = utf8(data.value(sd::kWebPageName).toString());
    if (data.contains(sd::kProcedure))
        draft.procedure = utf8(data.value(sd::kProcedure).toString());
    const QJsonArray links = data.value(sd::kLinks).toArray();
    for (qsizetype i = 0; i < links.size() && i < static_cast<qsizetype>(draft.ingredients.size()); ++i)
        draft.ingredients[static_cast<std::size_t>(i)].link = linkOf(links.at(i));
    const QJsonArray fields = data.value(sd::kFields).toArray();
    for (qsizetype i = 0; i < fields.size() && i < static_cast<qsizetype>(draft.ingredients.size()); ++i) {
        if (!fields.at(i).isObject())
            continue;
        const QJsonObject object = fields.at(i).toObject();
        DraftFields typed;
        if (object.value(sd::kQuantity).isDouble())
            typed.quantity = object.value(sd::kQuantity).toDouble();
        typed.unit = utf8(object.value(sd::kUnit).toString());
        typed.name = utf8(object.value(sd::kName).toString());
        draft.ingredients[static_cast<std::size_t>(i)].fields = std::move(typed);
    }
    for (const QJsonValue& total : data.value(sd::kTotals).toArray()) {
        const QJsonObject object = total.toObject();
        draft.handTotals.push_back({object.value(sd::kNutrient).toInteger(), object.value(sd::kValue).toDouble()});
    }
}

} // namespace

bool hasSchemaType(const QJsonObject& object, const QString& type)
{
    const QJsonValue types = object.value(QLatin1StringView("@type"));
    if (types.isArray()) {
        for (const QJsonValue& item : types.toArray())
            if (typeName(item.toString()).compare(type, Qt::CaseInsensitive) == 0)
                return true;
        return false;
    }
    return typeName(types.toString()).compare(type, Qt::CaseInsensitive) == 0;
}

void SchemaRecipeReader::collect(const QJsonValue& value)
{
    collect(value, 0);
}

void SchemaRecipeReader::collect(const QJsonValue& value, int depth)
{
    if (depth > kMaxDepth)
        return;
    if (value.isArray()) {
        for (const QJsonValue& item : value.toArray())
            collect(item, depth + 1);
        return;
    }
    if (!value.isObject())
        return;
    const QJsonObject object = value.toObject();
    if (const QString id = object.value(QLatin1StringView("@id")).toString(); !id.isEmpty() && object.size() > 1)
        byId_.insert(id, object);
    if (hasSchemaType(object, QStringLiteral("Recipe"))) {
        if (std::find(recipes_.begin(), recipes_.end(), object) == recipes_.end())
            recipes_.push_back(object);
        return;
    }
    if (siteName_.isEmpty() && hasSchemaType(object, QStringLiteral("WebSite")))
        siteName_ = textOf(object.value(QLatin1StringView("name")));
    for (auto it = object.begin(); it != object.end(); ++it)
        collect(it.value(), depth + 1);
}

QJsonValue SchemaRecipeReader::resolved(const QJsonValue& value) const
{
    if (value.isArray()) {
        QJsonArray items;
        for (const QJsonValue& item : value.toArray())
            items.append(resolved(item));
        return items;
    }
    const QJsonObject object = value.toObject();
    if (object.size() == 1 && object.contains(QLatin1StringView("@id"))) {
        const auto found = byId_.constFind(object.value(QLatin1StringView("@id")).toString());
        if (found != byId_.constEnd())
            return *found;
    }
    return value;
}

QString SchemaRecipeReader::names(const QJsonValue& value, bool literal) const
{
    QStringList names;
    const QJsonValue people = resolved(value);
    for (const QJsonValue& person : people.isArray() ? people.toArray() : QJsonArray{people}) {
        QString name = textOf(person, literal);
        if (name.isEmpty() && person.isObject()) {
            const QJsonObject object = person.toObject();
            name = collapsedBlanks(textOf(object.value(QLatin1StringView("givenName"))) + u' '
                                   + textOf(object.value(QLatin1StringView("familyName"))));
        }
        if (!name.isEmpty() && !names.contains(name))
            names.append(name);
    }
    return names.join(QStringLiteral(", "));
}

QString SchemaRecipeReader::link(const QJsonValue& value) const
{
    if (value.isString())
        return value.toString().trimmed();
    if (value.isArray())
        return value.toArray().isEmpty() ? QString() : link(value.toArray().first());
    const QJsonObject object = value.toObject();
    for (const char* key : {"url", "@id"})
        if (const QString found = object.value(QLatin1StringView(key)).toString().trimmed(); !found.isEmpty())
            return found;
    return {};
}

RecipeDraft SchemaRecipeReader::draft(const QJsonObject& recipe, const PageContext& page) const
{
    const auto field = [&](const char* key) { return recipe.value(QLatin1StringView(key)); };
    const bool literal = recipe.contains(saporia_data::kProperty);
    RecipeDraft draft;
    draft.name = utf8(textOf(field("name"), literal));
    if (draft.name.empty())
        draft.name = utf8(textOf(field("headline"), literal));

    draft.serves = firstNumber(recipe.contains(QLatin1StringView("recipeYield")) ? field("recipeYield") : field("yield"));
    draft.prepMinutes = durationMinutes(field("prepTime"));
    draft.cookMinutes = durationMinutes(field("cookTime"));
    if (!draft.cookMinutes) {
        // Only a total: it is the cooking time, less the preparation when that is known.
        if (const auto total = durationMinutes(field("totalTime")))
            if (!draft.prepMinutes || *total > *draft.prepMinutes)
                draft.cookMinutes = *total - draft.prepMinutes.value_or(0);
    }

    InstructionReader instructions(literal);
    instructions.read(field("recipeInstructions"), 0);
    draft.procedure = utf8(procedureText(instructions.sections()));

    draft.author = utf8(names(field("author"), literal));
    QString source = names(field("publisher"), literal);
    if (source.isEmpty())
        source = page.siteName.isEmpty() ? siteName_ : page.siteName;
    draft.source = utf8(source);
    draft.webPageName = utf8(page.title);
    QString pageLink = link(field("url"));
    if (pageLink.isEmpty())
        pageLink = link(field("mainEntityOfPage"));
    if (pageLink.isEmpty())
        pageLink = page.canonicalLink;
    draft.webPageLink = utf8(pageLink);

    const QStringList cuisines = namesOf(field("recipeCuisine"), literal);
    if (!cuisines.isEmpty())
        draft.cuisine = utf8(cuisines.first());
    for (const QString& type : namesOf(field("recipeCategory"), literal))
        draft.types.push_back(utf8(type));

    const QJsonValue ingredients =
        recipe.contains(QLatin1StringView("recipeIngredient")) ? field("recipeIngredient") : field("ingredients");
    for (const QString& line : valuesAsTexts(ingredients, literal))
        draft.ingredients.push_back({utf8(literal ? line : withoutWrappingParentheses(line)), std::nullopt, std::nullopt});

    draft.nutrition = nutritionOf(resolved(field("nutrition")).toObject());
    applySaporiaData(recipe.value(saporia_data::kProperty).toObject(), draft);
    return draft;
}
