#include "kitchen/IngredientLine.h"

#include "kitchen/NumberReader.h"

#include <QStringList>

#include <array>

namespace {

// Every character a cook's line should not hold becomes a space, and spaces run together.
QString cleaned(const QString& written)
{
    QString text = written;
    for (QChar& c : text) {
        const QChar::Category category = c.category();
        if (category == QChar::Other_Control || category == QChar::Other_Format || c.isSpace())
            c = u' ';
    }
    return text.simplified();
}

bool isTokenEnd(QChar c)
{
    return c.isSpace() || c == u',' || c == u';' || c == u'(' || c == u')' || c == u'/' || c == u'[' || c == u']';
}

// Words that say how much of a unit rather than what: "1 heaping tbsp".
bool isMeasureModifier(QStringView word)
{
    static const std::array<QStringView, 8> modifiers{u"heaping", u"heaped", u"level", u"scant", u"generous",
                                                      u"rounded", u"good", u"big"};
    for (QStringView modifier : modifiers)
        if (word.compare(modifier, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

bool isContainer(Unit unit)
{
    switch (unit) {
    case Unit::Can:
    case Unit::Jar:
    case Unit::Bottle:
    case Unit::Package:
    case Unit::Bag:
    case Unit::Box:
    case Unit::Container:
    case Unit::Envelope:
    case Unit::Stick:
        return true;
    default:
        return false;
    }
}

bool isMassOrVolume(Unit unit)
{
    const UnitKind kind = unitKind(unit);
    return kind == UnitKind::Mass || kind == UnitKind::Volume;
}

// Phrases that end the food's words and start a comment: "salt to taste", "oil for frying".
constexpr std::array<QStringView, 16> kCommentStarts{
    u" to taste",  u" for ",       u" plus ",      u" optional", u" divided",  u" at room temperature",
    u" as needed", u" if needed",  u" or more",    u" or less",  u" to serve", u" to garnish",
    u" such as ",  u" preferably", u" if desired", u" cut into ",
};

// Words before a food that say how it is prepared: "finely chopped onion".
constexpr std::array<QStringView, 26> kLeadingPreparation{
    u"chopped",  u"diced",     u"minced",    u"sliced",   u"grated",  u"shredded", u"melted",
    u"softened", u"finely",    u"roughly",   u"coarsely", u"thinly",  u"freshly",  u"cubed",
    u"beaten",   u"peeled",    u"halved",    u"quartered", u"trimmed", u"packed",  u"sifted",
    u"lightly",  u"firmly",    u"loosely",   u"well",     u"and",
};

class LineReader {
public:
    explicit LineReader(QString text) : text_(std::move(text)) {}

    IngredientLine read(const QString& written);

private:
    QStringView view() const { return text_; }
    void skipSpaces(qsizetype& at) const;
    QStringView tokenAt(qsizetype at) const;
    bool readQuantity();
    bool readArticleQuantity();
    void readMultiplier();
    std::optional<std::pair<Unit, qsizetype>> unitAt(qsizetype at) const;
    bool readUnit();
    void skipModifiers();
    std::optional<AlternativeAmount> amountAt(qsizetype at, qsizetype& end) const;
    bool readBracketAmount(bool perItem);
    bool readItemAmount();
    void readSlashAmount();
    void readRest();
    void takeComments(QString& food, QStringList& notes);

    QString text_;
    qsizetype at_ = 0;
    IngredientLine line_;
};

void LineReader::skipSpaces(qsizetype& at) const
{
    while (at < text_.size() && text_[at] == u' ')
        ++at;
}

QStringView LineReader::tokenAt(qsizetype at) const
{
    qsizetype end = at;
    while (end < text_.size() && !isTokenEnd(text_[end]))
        ++end;
    return view().sliced(at, end - at);
}

IngredientLine LineReader::read(const QString& written)
{
    line_.text = written;
    // A list's bullet, but never a minus glued to its number.
    while (at_ < text_.size() && (text_[at_] == u'•' || text_[at_] == u'*' || text_[at_] == u'▢'
                                  || (text_[at_] == u'-' && !(at_ + 1 < text_.size() && text_[at_ + 1].isDigit()))))
        ++at_;
    skipSpaces(at_);
    // "about 2 cups", "~11 cloves"
    for (QStringView hedge : {u"about ", u"approx. ", u"approximately ", u"roughly ", u"~"})
        if (view().sliced(at_).startsWith(hedge, Qt::CaseInsensitive)) {
            at_ += hedge.size();
            skipSpaces(at_);
            break;
        }
    if (readQuantity() || readArticleQuantity()) {
        readMultiplier();
        if (!readBracketAmount(true))
            readItemAmount();
    }
    skipModifiers();
    if (readUnit()) {
        readSlashAmount();
        const bool container = line_.unit && isContainer(*line_.unit);
        readBracketAmount(container);
    }
    readRest();
    return line_;
}

bool LineReader::readQuantity()
{
    const qsizetype start = at_;
    const bool negative = at_ < text_.size() && text_[at_] == u'-';
    const auto first = readNumber(view(), negative ? at_ + 1 : at_);
    if (!first)
        return false;
    double low = negative ? -first->value : first->value;
    qsizetype end = first->end;
    // "half a cup", "a dozen"
    qsizetype next = end;
    skipSpaces(next);
    if (low == 0.5 && (tokenAt(next).compare(u"a", Qt::CaseInsensitive) == 0
                       || tokenAt(next).compare(u"an", Qt::CaseInsensitive) == 0))
        end = next + tokenAt(next).size();
    // Ranges: "2-3", "2–3", "2 to 3", "2 or 3".
    qsizetype joinAt = end;
    skipSpaces(joinAt);
    std::optional<double> high;
    if (joinAt < text_.size()) {
        qsizetype afterJoin = -1;
        const QChar c = text_[joinAt];
        if (c == u'-' || c == u'–' || c == u'—')
            afterJoin = joinAt + 1;
        else if (const QStringView word = tokenAt(joinAt);
                 word.compare(u"to", Qt::CaseInsensitive) == 0 || word.compare(u"or", Qt::CaseInsensitive) == 0)
            afterJoin = joinAt + word.size();
        if (afterJoin > 0) {
            skipSpaces(afterJoin);
            if (const auto second = readNumber(view(), afterJoin); second && second->value >= low) {
                high = second->value;
                end = second->end;
            }
        }
    }
    line_.rangeLow = low;
    line_.rangeHigh = high ? *high : low;
    line_.quantity = high ? (low + *high) / 2 : low;
    line_.quantityText = text_.sliced(start, end - start);
    at_ = end;
    skipSpaces(at_);
    return true;
}

// "a pinch", "an egg's worth": an article counts as one only before a unit or a size.
bool LineReader::readArticleQuantity()
{
    const QStringView word = tokenAt(at_);
    if (word.compare(u"a", Qt::CaseInsensitive) != 0 && word.compare(u"an", Qt::CaseInsensitive) != 0)
        return false;
    qsizetype next = at_ + word.size();
    skipSpaces(next);
    if (const auto number = readNumber(view(), next); number && (number->value < 1 || number->value == 12)) {
        // "a half cup", "a dozen eggs"
        line_.quantity = line_.rangeLow = line_.rangeHigh = number->value;
        line_.quantityText = text_.sliced(at_, number->end - at_);
        at_ = number->end;
        skipSpaces(at_);
        return true;
    }
    qsizetype afterModifier = next;
    if (isMeasureModifier(tokenAt(next))) {
        afterModifier += tokenAt(next).size();
        skipSpaces(afterModifier);
    }
    if (!unitAt(afterModifier))
        return false;
    line_.quantity = line_.rangeLow = line_.rangeHigh = 1;
    line_.quantityText = word.toString();
    at_ = next;
    return true;
}

void LineReader::readMultiplier()
{
    if (at_ + 1 >= text_.size())
        return;
    const QChar c = text_[at_];
    if (c != u'x' && c != u'X' && c != u'×')
        return;
    qsizetype next = at_ + 1;
    skipSpaces(next);
    const auto number = readNumber(view(), next);
    if (!number || !line_.quantity)
        return;
    line_.multiplier = *line_.quantity;
    line_.quantity = line_.rangeLow = line_.rangeHigh = number->value;
    line_.quantityText = text_.sliced(next, number->end - next);
    at_ = number->end;
    skipSpaces(at_);
}

std::optional<std::pair<Unit, qsizetype>> LineReader::unitAt(qsizetype at) const
{
    if (at < text_.size() && text_[at] == u'-') // "1-inch", "2-pound"
        ++at;
    const QStringView first = tokenAt(at);
    if (first.isEmpty() || !first[0].isLetter())
        return std::nullopt;
    qsizetype secondAt = at + first.size();
    if (secondAt < text_.size() && text_[secondAt] == u' ') {
        ++secondAt;
        const QStringView second = tokenAt(secondAt);
        if (!second.isEmpty() && second[0].isLetter())
            if (const auto unit = unitFromText(view().sliced(at, secondAt + second.size() - at));
                unit && unitKind(*unit) != UnitKind::Count)
                return std::pair{*unit, secondAt + second.size()};
    }
    // One letter stands for a unit only on its own: "1 c flour", never "1 c-section".
    if (const auto unit = unitFromText(first))
        return std::pair{*unit, at + first.size()};
    // "tbsp.butter" is rare; "g/5oz" and "cups(240" end at their punctuation already.
    return std::nullopt;
}

void LineReader::skipModifiers()
{
    while (isMeasureModifier(tokenAt(at_))) {
        at_ += tokenAt(at_).size();
        skipSpaces(at_);
    }
}

bool LineReader::readUnit()
{
    bool found = false;
    for (int part = 0; part < 2; ++part) {
        const auto unit = unitAt(at_);
        if (!unit)
            break;
        const qsizetype start = at_ < text_.size() && text_[at_] == u'-' ? at_ + 1 : at_;
        const QString written = text_.sliced(start, unit->second - start);
        if (unitKind(unit->first) == UnitKind::Size) {
            if (line_.size)
                break;
            line_.size = unit->first;
            line_.sizeText = written;
        } else {
            line_.unit = unit->first;
            line_.unitText = written;
        }
        found = true;
        at_ = unit->second;
        skipSpaces(at_);
        if (line_.unit)
            break;
        skipModifiers();
    }
    if (found && tokenAt(at_).compare(u"of", Qt::CaseInsensitive) == 0) {
        at_ += 2;
        skipSpaces(at_);
    }
    return found;
}

// A mass or volume at `at`: "190 g", "5½oz", "15-ounce", "about 240 ml".
std::optional<AlternativeAmount> LineReader::amountAt(qsizetype at, qsizetype& end) const
{
    for (QStringView hedge : {u"about", u"approx.", u"approximately", u"approx", u"around", u"roughly", u"~", u"="})
        if (view().sliced(at).startsWith(hedge, Qt::CaseInsensitive)) {
            at += hedge.size();
            skipSpaces(at);
            break;
        }
    const auto number = readNumber(view(), at);
    if (!number)
        return std::nullopt;
    qsizetype unitStart = number->end;
    skipSpaces(unitStart);
    const auto unit = unitAt(unitStart);
    if (!unit || !isMassOrVolume(unit->first))
        return std::nullopt;
    end = unit->second;
    return AlternativeAmount{number->value, unit->first, false};
}

bool LineReader::readBracketAmount(bool perItem)
{
    if (line_.alternative || at_ >= text_.size() || text_[at_] != u'(')
        return false;
    const qsizetype close = text_.indexOf(u')', at_);
    if (close < 0)
        return false;
    qsizetype inside = at_ + 1;
    skipSpaces(inside);
    qsizetype end = 0;
    auto amount = amountAt(inside, end);
    if (!amount)
        return false;
    amount->perItem = perItem || text_.sliced(end, close - end).contains(u"each", Qt::CaseInsensitive);
    line_.alternative = amount;
    at_ = close + 1;
    skipSpaces(at_);
    return true;
}

// "2 15-ounce cans": an amount between the count and its container weighs one of them.
bool LineReader::readItemAmount()
{
    qsizetype end = 0;
    auto amount = amountAt(at_, end);
    if (!amount)
        return false;
    qsizetype next = end;
    skipSpaces(next);
    const auto container = unitAt(next);
    const bool glued = view().sliced(at_, end - at_).contains(u'-');
    if (!glued && !(container && unitKind(container->first) == UnitKind::Count))
        return false;
    amount->perItem = true;
    line_.alternative = amount;
    at_ = end;
    skipSpaces(at_);
    return true;
}

void LineReader::readSlashAmount()
{
    qsizetype slash = at_;
    skipSpaces(slash);
    if (line_.alternative || slash >= text_.size() || text_[slash] != u'/')
        return;
    qsizetype inside = slash + 1;
    skipSpaces(inside);
    qsizetype end = 0;
    if (const auto amount = amountAt(inside, end)) {
        line_.alternative = amount;
        at_ = end;
        skipSpaces(at_);
    }
}

void LineReader::takeComments(QString& food, QStringList& notes)
{
    qsizetype cut = food.size();
    for (QStringView start : kCommentStarts) {
        const qsizetype found = food.indexOf(start, 0, Qt::CaseInsensitive);
        if (found >= 0 && found < cut)
            cut = found;
    }
    if (cut < food.size()) {
        notes.prepend(food.sliced(cut).trimmed());
        food.truncate(cut);
    }
    // Comments that stand alone: "salt, to taste" leaves "to taste" after the comma already.
    QStringList leading;
    for (;;) {
        const qsizetype space = food.indexOf(u' ');
        if (space < 0)
            break;
        const QStringView word = QStringView(food).first(space);
        const bool preparation = std::any_of(kLeadingPreparation.begin(), kLeadingPreparation.end(),
                                             [&](QStringView known) { return word.compare(known, Qt::CaseInsensitive) == 0; });
        if (!preparation)
            break;
        leading << word.toString();
        food.remove(0, space + 1);
    }
    if (!leading.isEmpty())
        notes.prepend(leading.join(u' '));
}

void LineReader::readRest()
{
    QString rest = text_.sliced(std::min(at_, text_.size()));
    QStringList notes;
    // Brackets hold an amount or a comment; neither is the food.
    for (qsizetype open = rest.indexOf(u'('); open >= 0; open = rest.indexOf(u'(', open)) {
        qsizetype close = rest.indexOf(u')', open);
        if (close < 0)
            close = rest.size() - 1;
        const QString inside = rest.sliced(open + 1, close - open - (rest[close] == u')' ? 1 : 0)).trimmed();
        const LineReader inner(inside);
        qsizetype innerEnd = 0;
        if (auto alternative = line_.alternative ? std::nullopt : inner.amountAt(0, innerEnd)) {
            alternative->perItem = inside.contains(u"each", Qt::CaseInsensitive)
                                   || (line_.unit && isContainer(*line_.unit));
            line_.alternative = alternative;
        } else if (!inside.isEmpty()) {
            notes << inside;
        }
        rest.remove(open, close - open + 1);
    }
    rest = rest.simplified();
    qsizetype split = rest.size();
    for (QStringView separator : {u",", u";", u" - ", u" – ", u" — "}) {
        const qsizetype found = rest.indexOf(separator);
        if (found >= 0 && found < split)
            split = found;
    }
    QString food = rest.first(split).trimmed();
    const QString after = rest.sliced(split).trimmed();
    takeComments(food, notes);
    if (!after.isEmpty()) {
        QString tail = after;
        while (!tail.isEmpty() && (tail[0] == u',' || tail[0] == u';' || tail[0] == u'-' || tail[0] == u'–'
                                   || tail[0] == u'—' || tail[0] == u' '))
            tail.remove(0, 1);
        if (!tail.isEmpty())
            notes << tail;
    }
    while (food.endsWith(u'.') || food.endsWith(u':') || food.endsWith(u'*'))
        food.chop(1);
    food = food.trimmed();
    // "2 garlic cloves", "10 thyme sprigs": the unit written after the food.
    if (line_.quantity && !line_.unit) {
        const qsizetype space = food.lastIndexOf(u' ');
        if (space > 0)
            if (const auto unit = unitFromText(QStringView(food).sliced(space + 1));
                unit && unitKind(*unit) == UnitKind::Count && *unit != Unit::Leaf && *unit != Unit::Inch) {
                line_.unit = unit;
                line_.unitText = food.sliced(space + 1);
                food.truncate(space);
            }
    }
    line_.food = food;
    line_.preparation = notes.join(QStringLiteral(", "));
}

} // namespace

std::optional<double> IngredientLine::totalQuantity() const
{
    if (!quantity)
        return std::nullopt;
    return *quantity * multiplier;
}

std::optional<double> IngredientLine::statedGrams() const
{
    const double count = totalQuantity().value_or(1);
    if (unit && unitKind(*unit) == UnitKind::Mass) {
        if (!quantity)
            return std::nullopt;
        return count * gramsPerUnit(*unit);
    }
    if (alternative && unitKind(alternative->unit) == UnitKind::Mass)
        return alternative->value * gramsPerUnit(alternative->unit) * (alternative->perItem ? count : 1);
    return std::nullopt;
}

IngredientLine readIngredientLine(const QString& written)
{
    return LineReader(cleaned(written)).read(written);
}
