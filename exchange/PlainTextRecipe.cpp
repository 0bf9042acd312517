#include "exchange/RecipeReaders.h"

#include "exchange/HtmlText.h"
#include "exchange/InputChecks.h"
#include "exchange/ProcedureSteps.h"
#include "exchange/TextNumbers.h"

#include <QRegularExpression>

#include <algorithm>

namespace {

enum class Block { Before, Ingredients, Method };

QString headingWord(const QString& line)
{
    QString word = line.toLower();
    word.remove(QRegularExpression(QStringLiteral("^[#*=\\-\\s]+|[#*=:\\-\\s]+$")));
    return word;
}

std::optional<Block> headingOf(const QString& line)
{
    static const QStringList kIngredients = {"ingredients", "ingredient list", "you will need", "you'll need"};
    static const QStringList kMethod = {"method", "directions", "instructions", "preparation", "steps", "procedure"};
    const QString word = headingWord(line);
    if (kIngredients.contains(word))
        return Block::Ingredients;
    if (kMethod.contains(word))
        return Block::Method;
    return std::nullopt;
}

QString withoutBullet(const QString& line)
{
    static const QRegularExpression bullet(QStringLiteral("^[\\-*\\x{2022}\\x{2023}\\x{25E6}\\x{2013}\\x{00B7}]\\s*"));
    QString rest = line;
    rest.remove(bullet);
    return rest;
}

bool isNumberedStep(const QString& line)
{
    static const QRegularExpression step(QStringLiteral("^(?:\\d+\\s*[.)](?!\\d)|step\\s*\\d+)"),
                                         QRegularExpression::CaseInsensitiveOption);
    return step.match(line).hasMatch();
}

// A line that cannot be a sentence of the method: short, and no full stop at its end.
bool isShortLine(const QString& line)
{
    return line.size() <= 50 && !line.endsWith(u'.') && !line.endsWith(u'!');
}

// "2 cups flour", "½ tsp salt", "1/2 lemon", "two eggs", "a pinch of salt".
bool readsAsIngredient(const QString& line)
{
    if (isNumberedStep(line))
        return false;
    static const QRegularExpression amount(
        QStringLiteral("^(?:\\d|[\\x{00BC}-\\x{00BE}\\x{2150}-\\x{215E}]|(?:one|two|three|four|five|six|seven|eight|nine|"
                       "ten|eleven|twelve|half|a dozen|dozen)\\b)"),
        QRegularExpression::CaseInsensitiveOption);
    if (amount.match(line).hasMatch())
        return true;
    static const QRegularExpression article(QStringLiteral("^an? \\S"), QRegularExpression::CaseInsensitiveOption);
    return article.match(line).hasMatch() && isShortLine(line);
}

bool isSubheading(const QString& line)
{
    return line.endsWith(u':') && line.size() <= 60;
}

class TextRecipeReader {
public:
    explicit TextRecipeReader(const QStringList& lines) : lines_(lines) {}

    RecipeDraft read()
    {
        const auto hasHeading = [&](Block kind) {
            return std::any_of(lines_.begin(), lines_.end(), [&](const QString& l) { return headingOf(l) == kind; });
        };
        const bool ingredientsHeaded = hasHeading(Block::Ingredients);
        const bool methodHeaded = hasHeading(Block::Method);
        Block block = Block::Before;
        for (qsizetype i = 0; i < lines_.size(); ++i) {
            const QString& line = lines_[i];
            if (const auto heading = headingOf(line)) {
                block = *heading;
                continue;
            }
            if (i == 0 && block == Block::Before && !readsAsIngredient(withoutBullet(line))) {
                draft_.name = line.toStdString();
                continue;
            }
            // Where a heading is missing, the lines tell where its block starts.
            if ((block == Block::Before && !ingredientsHeaded) || (block == Block::Ingredients && !methodHeaded))
                block = unheadedBlock(block, withoutBullet(line));
            if (block == Block::Ingredients)
                addIngredient(withoutBullet(line));
            else if (block == Block::Method)
                addMethodLine(withoutBullet(line));
            else
                readDetail(line);
        }
        draft_.procedure = procedureText(sections_).toStdString();
        return draft_;
    }

private:
    // Without their headings the ingredients start at the first line that reads as an
    // ingredient line and run on over short lines ("Salt to taste"); the method
    // starts at the first sentence or numbered step after them.
    static Block unheadedBlock(Block block, const QString& line)
    {
        if (block == Block::Before)
            return readsAsIngredient(line) ? Block::Ingredients : Block::Before;
        if (block == Block::Ingredients && !readsAsIngredient(line) && (!isShortLine(line) || isNumberedStep(line)))
            return Block::Method;
        return block;
    }

    void addIngredient(const QString& line)
    {
        if (!isSubheading(line))
            draft_.ingredients.push_back({line.toStdString(), std::nullopt, std::nullopt});
    }

    void addMethodLine(const QString& line)
    {
        if (isSubheading(line) && !isNumberedStep(line)) {
            sections_.push_back({line.chopped(1).trimmed(), {}});
            return;
        }
        if (sections_.empty())
            sections_.emplace_back();
        sections_.back().steps.append(withoutStepNumber(line));
    }

    // Lines between the title and the ingredients: serves, times, author, link.
    void readDetail(const QString& line)
    {
        static const QRegularExpression serves(QStringLiteral("^(?:serves|servings|makes|yield|yields)\\b"),
                                               QRegularExpression::CaseInsensitiveOption);
        static const QRegularExpression prep(QStringLiteral("^prep(?:aration)?(?: time)?\\s*:"),
                                             QRegularExpression::CaseInsensitiveOption);
        static const QRegularExpression cook(QStringLiteral("^cook(?:ing)?(?: time)?\\s*:"),
                                             QRegularExpression::CaseInsensitiveOption);
        static const QRegularExpression author(QStringLiteral("^(?:by|author:)\\s+"), QRegularExpression::CaseInsensitiveOption);
        if (serves.match(line).hasMatch() && !draft_.serves)
            draft_.serves = firstNumber(line);
        else if (auto match = prep.match(line); match.hasMatch())
            draft_.prepMinutes = durationMinutes(line.mid(match.capturedEnd()));
        else if (auto match = cook.match(line); match.hasMatch())
            draft_.cookMinutes = durationMinutes(line.mid(match.capturedEnd()));
        else if (auto match = author.match(line); match.hasMatch() && draft_.author.empty())
            draft_.author = line.mid(match.capturedEnd()).toStdString();
        else if ((line.startsWith(QStringLiteral("http://")) || line.startsWith(QStringLiteral("https://")))
                 && draft_.webPageLink.empty())
            draft_.webPageLink = line.toStdString();
    }

    const QStringList& lines_;
    RecipeDraft draft_;
    std::vector<ProcedureSection> sections_;
};

} // namespace

RecipeReading readRecipeText(std::string_view text, std::string_view origin)
{
    if (auto problem = inputProblem(text, origin))
        return {{}, *problem, {}};
    const QStringList lines = textLines(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    RecipeDraft draft = TextRecipeReader(lines).read();
    if (draft.ingredients.empty() && draft.procedure.empty())
        return {{}, "No recipe found in " + std::string(origin), {}};
    return {{std::move(draft)}, {}, {}};
}
