#include "kitchen/IngredientLine.h"

#include "kitchen/NumberReader.h"

#include <QStringList>

#include <algorithm>
#include <array>

namespace {

bool isBlank(QChar c)
{
    if (c.unicode() < 0x80)
        return c.unicode() <= u' ' || c.unicode() == 0x7f;
    const QChar::Category category = c.category();
    return category == QChar::Other_Control || category == QChar::Other_Format || c.isSpace();
}

// Every character a cook's line should not hold becomes a space, and spaces run together.
QString cleaned(QStringView written)
{
    QString text(written.size(), Qt::Uninitialized);
    QChar* const begin = text.data();
    QChar* out = begin;
    bool pendingSpace = false;
    for (qsizetype i = 0; i < written.size(); ++i) {
        const QChar c = written[i];
        if (isBlank(c)) {
            pendingSpace = out != begin;
            continue;
        }
        if (pendingSpace)
            *out++ = u' ';
        pendingSpace = false;
        // "cup(s)", "package(s)": a plural the way forms write it.
        if (c == u'(' && out != begin && out[-1].isLetter() && written.sliced(i).startsWith(u"(s)")) {
            *out++ = u's';
            i += 2;
            continue;
        }
        *out++ = c;
    }
    text.truncate(out - begin);
    return text;
}

// Lower case letter for letter, so positions in it are positions in the text.
QString lowered(QStringView text)
{
    QString lower(text.size(), Qt::Uninitialized);
    QChar* out = lower.data();
    for (QChar c : text)
        *out++ = c.unicode() < 0x80 ? QChar(c.unicode() >= u'A' && c.unicode() <= u'Z' ? c.unicode() + 32 : c.unicode())
                                    : c.toLower();
    return lower;
}

bool isTokenEnd(QChar c)
{
    return c.isSpace() || c == u',' || c == u';' || c == u'(' || c == u')' || c == u'/' || c == u'[' || c == u']';
}

// Words that say how much of a unit rather than what: "1 heaping tbsp". `lowerWord` is in lower case.
bool isMeasureModifier(QStringView lowerWord)
{
    static const std::array<QStringView, 8> modifiers{u"heaping", u"heaped", u"level", u"scant", u"generous",
                                                      u"rounded", u"good", u"big"};
    return std::find(modifiers.begin(), modifiers.end(), lowerWord) != modifiers.end();
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
constexpr std::array<QStringView, 18> kCommentStarts{
    u" to taste",  u" for ",       u" plus ",      u" optional", u" divided",  u" at room temperature",
    u" as needed", u" if needed",  u" or more",    u" or less",  u" to serve", u" to garnish",
    u" such as ",  u" preferably", u" if desired", u" cut into ", u" of your choice", u" of choice",
};

// Words before a food that say how it is prepared: "finely chopped onion".
constexpr std::array<QStringView, 26> kLeadingPreparation{
    u"chopped",  u"diced",     u"minced",    u"sliced",   u"grated",  u"shredded", u"melted",
    u"softened", u"finely",    u"roughly",   u"coarsely", u"thinly",  u"freshly",  u"cubed",
    u"beaten",   u"peeled",    u"halved",    u"quartered", u"trimmed", u"packed",  u"sifted",
    u"lightly",  u"firmly",    u"loosely",   u"well",     u"and",
};

// The first position in `lower` where a comment phrase starts, or its size.
qsizetype commentStart(QStringView lower)
{
    for (qsizetype space = lower.indexOf(u' '); space >= 0; space = lower.indexOf(u' ', space + 1)) {
        const QStringView from = lower.sliced(space);
        if (from.size() < 2)
            break;
        for (QStringView start : kCommentStarts)
            if (start[1] == from[1] && from.startsWith(start))
                return space;
    }
    return lower.size();
}

bool isLeadingPreparation(QStringView lowerWord)
{
    return std::find(kLeadingPreparation.begin(), kLeadingPreparation.end(), lowerWord) != kLeadingPreparation.end();
}

// Whether every word of `lowerText` describes a food without naming one: "sliced", "boneless".
bool onlyDescribes(QStringView lowerText)
{
    static const std::array<QStringView, 17> describing{
        u"boneless", u"skinless", u"toasted", u"unsalted", u"salted", u"skin-on",     u"bone-in",     u"raw",   u"cooked",
        u"uncooked", u"cold",     u"fresh",   u"frozen",   u"ripe",   u"unsweetened", u"unflavored", u"unflavoured"};
    bool any = false;
    for (const QStringView word : lowerText.split(u' ', Qt::SkipEmptyParts)) {
        if (!isLeadingPreparation(word) && std::find(describing.begin(), describing.end(), word) == describing.end())
            return false;
        any = true;
    }
    return any;
}

// Where the food's words end: at a comma, a semicolon or a dash between spaces.
qsizetype foodEnd(QStringView rest)
{
    for (qsizetype i = 0; i < rest.size(); ++i) {
        const QChar c = rest[i];
        if (c == u',' || c == u';')
            return i;
        if ((c == u'-' || c == u'–' || c == u'—') && i > 0 && rest[i - 1] == u' ' && i + 1 < rest.size()
            && rest[i + 1] == u' ')
            return i - 1;
    }
    return rest.size();
}

// Reads one cleaned line. Every comparison that ignores case runs on one lower-case copy of it.
class LineReader {
public:
    explicit LineReader(QString text) : text_(std::move(text)), lower_(lowered(text_)) {}

    IngredientLine read(const QString& written);

private:
    QStringView view() const { return text_; }
    void skipSpaces(qsizetype& at) const;
    QStringView tokenAt(qsizetype at) const;
    // The token at `at` in lower case.
    QStringView lowerTokenAt(qsizetype at) const { return QStringView(lower_).sliced(at, tokenAt(at).size()); }
    bool startsWithAt(qsizetype at, QStringView lowerText) const
    {
        return at < lower_.size() && lower_[at] == lowerText[0] && QStringView(lower_).sliced(at).startsWith(lowerText);
    }
    bool readQuantity();
    bool readArticleQuantity();
    void readMultiplier();
    std::optional<std::pair<Unit, qsizetype>> unitAt(qsizetype at) const;
    bool readUnit();
    bool readPieceLength();
    void skipModifiers();
    std::optional<NumberRead> rangeEndAt(qsizetype at, double low) const;
    std::optional<AlternativeAmount> amountAt(qsizetype at, qsizetype& end) const;
    bool readBracketAmount(bool perItem);
    bool readItemAmount();
    void readSlashAmount();
    void skipBracketAmount();
    void readAddedAmount();
    void readContainer();
    void readBareUnitCount();
    void readRest();
    // The food's words without the comments in and before them, which go to `notes`.
    QStringView takeComments(QStringView food, QStringView lowerFood, QStringList& notes);

    QString text_;
    QString lower_;
    qsizetype at_ = 0;
    QString juiceOf_; // "juice" of "juice of 1 lemon"
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
    // "Optional: 2 tsp brandy", "Glaze: 1/2 cup powdered sugar": a label before the amount.
    if (const qsizetype colon = text_.indexOf(u':', at_);
        colon > at_ && colon - at_ <= 30 && !text_[at_].isDigit() && !vulgarFraction(text_[at_])) {
        qsizetype after = colon + 1;
        skipSpaces(after);
        if (after < text_.size() && (text_[after].isDigit() || vulgarFraction(text_[after])))
            at_ = after;
    }
    // "Juice of 1 lemon", "zest of half an orange": the fruit's juice, counted by the fruit.
    for (QStringView part : {u"juice", u"zest"}) {
        qsizetype after = at_;
        if (lowerTokenAt(after) != part)
            continue;
        after += part.size();
        skipSpaces(after);
        const QStringView joint = lowerTokenAt(after);
        if (joint != u"of" && joint != u"from")
            continue;
        after += joint.size();
        skipSpaces(after);
        const qsizetype saved = at_;
        at_ = after;
        if (readQuantity() || readArticleQuantity()) {
            juiceOf_ = part.toString();
            break;
        }
        at_ = saved;
    }
    // "about 2 cups", "~11 cloves"
    for (QStringView hedge : {u"about ", u"approx. ", u"approximately ", u"roughly ", u"~"})
        if (startsWithAt(at_, hedge)) {
            at_ += hedge.size();
            skipSpaces(at_);
            break;
        }
    // "Scant 1/2 teaspoon", "heaping 2 tbsp": how full the measure is, before its number.
    if (qsizetype after = at_ + lowerTokenAt(at_).size(); isMeasureModifier(lowerTokenAt(at_))) {
        skipSpaces(after);
        if (after < text_.size() && (text_[after].isDigit() || vulgarFraction(text_[after])))
            at_ = after;
    }
    if (readPieceLength()) {
        // The pieces' length came first: "2-inch piece ginger", "8 1/2-inch slices baguette".
    } else if (readQuantity() || readArticleQuantity()) {
        // "1, 9-inch pie crust": a comma between the count and what sizes it.
        if (at_ + 1 < text_.size() && text_[at_] == u',' && text_[at_ + 1] == u' ') {
            at_ += 1;
            skipSpaces(at_);
        }
        readMultiplier();
        if (!readPieceLength() && !readBracketAmount(true) && readItemAmount())
            skipBracketAmount();
    } else {
        readBareUnitCount();
    }
    skipModifiers();
    if (readUnit()) {
        readSlashAmount();
        const bool container = line_.unit && isContainer(*line_.unit);
        readBracketAmount(container);
        readAddedAmount();
        readContainer();
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
    if (low == 0.5 && (lowerTokenAt(next) == u"a" || lowerTokenAt(next) == u"an"))
        end = next + tokenAt(next).size();
    qsizetype joinAt = end;
    skipSpaces(joinAt);
    std::optional<double> high;
    if (const auto second = rangeEndAt(joinAt, low)) {
        high = second->value;
        end = second->end;
    }
    // "2/3 + 1/4 cup": two amounts of one unit, added.
    if (!high && joinAt < text_.size() && (text_[joinAt] == u'+' || lowerTokenAt(joinAt) == u"plus")) {
        qsizetype afterJoin = joinAt + (text_[joinAt] == u'+' ? 1 : 4);
        skipSpaces(afterJoin);
        if (const auto added = readNumber(view(), afterJoin)) {
            low += added->value;
            end = added->end;
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

// The second number of a range whose join stands at `at`: "2-3", "2–3", "2 to 3", "2 or 3".
std::optional<NumberRead> LineReader::rangeEndAt(qsizetype at, double low) const
{
    if (at >= text_.size())
        return std::nullopt;
    qsizetype afterJoin = -1;
    const QChar c = text_[at];
    if (c == u'-' || c == u'–' || c == u'—')
        afterJoin = at + 1;
    else if (const QStringView word = lowerTokenAt(at); word == u"to" || word == u"or")
        afterJoin = at + word.size();
    if (afterJoin < 0)
        return std::nullopt;
    skipSpaces(afterJoin);
    const auto high = readNumber(view(), afterJoin);
    return high && high->value >= low ? high : std::nullopt;
}

// "a pinch", "an egg's worth": an article counts as one only before a unit or a size.
bool LineReader::readArticleQuantity()
{
    const QStringView word = lowerTokenAt(at_);
    if (word != u"a" && word != u"an")
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
    if (isMeasureModifier(lowerTokenAt(next))) {
        afterModifier += lowerTokenAt(next).size();
        skipSpaces(afterModifier);
    }
    if (!unitAt(afterModifier))
        return false;
    line_.quantity = line_.rangeLow = line_.rangeHigh = 1;
    line_.quantityText = text_.sliced(at_, word.size());
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
    QStringView first = tokenAt(at);
    // "3 cups* rice": a footnote mark on the unit.
    const bool marked = first.size() > 1 && first.endsWith(u'*');
    if (marked)
        first.chop(1);
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
        return std::pair{*unit, at + first.size() + (marked ? 1 : 0)};
    // "tbsp.butter" is rare; "g/5oz" and "cups(240" end at their punctuation already.
    return std::nullopt;
}

void LineReader::skipModifiers()
{
    while (isMeasureModifier(lowerTokenAt(at_))) {
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
        QString written = text_.sliced(start, unit->second - start);
        if (written.endsWith(u'*'))
            written.chop(1);
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
    if (found && lowerTokenAt(at_) == u"of") {
        at_ += 2;
        skipSpaces(at_);
    }
    return found;
}

bool isLength(QStringView lowerWord)
{
    static const std::array<QStringView, 9> lengths{u"inch", u"inches", u"in", u"cm", u"centimetre", u"centimeter",
                                                    u"centimetres", u"centimeters", u"mm"};
    return std::find(lengths.begin(), lengths.end(), lowerWord) != lengths.end();
}

// "1-inch piece", "(5 cm) pieces", "2\" piece": a length that sizes each of the pieces counted
// after it, as "large" sizes an egg; it is no amount of the food. Without a count before it the
// line asks for one piece, and a mixed number counts with its whole part: "8 1/2-inch slices".
bool LineReader::readPieceLength()
{
    qsizetype at = at_;
    const bool bracketed = at < text_.size() && text_[at] == u'(';
    if (bracketed) {
        ++at;
        skipSpaces(at);
    }
    // Lengths are written in figures.
    if (at >= text_.size() || !(text_[at].isDigit() || vulgarFraction(text_[at])))
        return false;
    const auto number = readNumber(view(), at);
    if (!number)
        return false;
    double count = 1;
    qsizetype countEnd = at;
    if (!line_.quantity && !bracketed) {
        if (const qsizetype space = view().sliced(at, number->end - at).indexOf(u' '); space > 0) {
            count = readNumber(view().first(at + space), at)->value;
            countEnd = at + space;
        }
    }
    const qsizetype lengthStart = countEnd == at ? at : countEnd + 1;
    bool inches = true;
    qsizetype lengthEnd = number->end;
    if (lengthEnd < text_.size() && text_[lengthEnd] == u'"') {
        ++lengthEnd;
    } else {
        if (lengthEnd < text_.size() && (text_[lengthEnd] == u'-' || text_[lengthEnd] == u' '))
            ++lengthEnd;
        const QStringView word = lowerTokenAt(lengthEnd);
        if (!isLength(word))
            return false;
        inches = word.startsWith(u"in");
        lengthEnd += word.size();
        if (lengthEnd < text_.size() && text_[lengthEnd] == u'.')
            ++lengthEnd;
    }
    qsizetype after = lengthEnd;
    skipSpaces(after);
    if (bracketed) {
        if (after >= text_.size() || text_[after] != u')')
            return false;
        ++after;
        skipSpaces(after);
    }
    const auto unit = unitAt(after);
    if (!unit || unitKind(unit->first) != UnitKind::Count || unit->first == Unit::Inch)
        return false;
    if (!line_.quantity) {
        line_.quantity = line_.rangeLow = line_.rangeHigh = count;
        line_.quantityText = text_.sliced(at, countEnd - at);
    }
    line_.sizeText = text_.sliced(lengthStart, lengthEnd - lengthStart);
    line_.size = inches ? std::optional(Unit::Inch) : std::nullopt;
    at_ = after;
    return true;
}

// A mass or volume at `at`: "190 g", "5½oz", "15-ounce", "about 240 ml".
std::optional<AlternativeAmount> LineReader::amountAt(qsizetype at, qsizetype& end) const
{
    for (QStringView hedge : {u"about", u"approx.", u"approximately", u"approx", u"around", u"roughly", u"~", u"="})
        if (startsWithAt(at, hedge)) {
            at += hedge.size();
            skipSpaces(at);
            break;
        }
    const auto number = readNumber(view(), at);
    if (!number)
        return std::nullopt;
    double value = number->value;
    qsizetype unitStart = number->end;
    skipSpaces(unitStart);
    // "(15 to 20 oz)", "10-13 oz bag": a range of sizes weighs as its middle, as a range of counts does.
    if (const auto high = rangeEndAt(unitStart, value)) {
        value = (value + high->value) / 2;
        unitStart = high->end;
        skipSpaces(unitStart);
    }
    const auto unit = unitAt(unitStart);
    if (!unit || !isMassOrVolume(unit->first))
        return std::nullopt;
    end = unit->second;
    return AlternativeAmount{value, unit->first, false};
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
    amount->perItem = perItem || QStringView(lower_).sliced(end, close - end).contains(u"each");
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

// "(680g)" after "8-ounce": the same amount again, in other units.
void LineReader::skipBracketAmount()
{
    if (at_ >= text_.size() || text_[at_] != u'(')
        return;
    const qsizetype close = text_.indexOf(u')', at_);
    qsizetype inside = at_ + 1;
    skipSpaces(inside);
    qsizetype end = 0;
    if (close < 0 || !amountAt(inside, end))
        return;
    at_ = close + 1;
    skipSpaces(at_);
}

// "1 1/2 cups plus 3 tablespoons", "1 stick + 2 tbsp": a second amount added to the first. One of
// the same kind of unit adds to the quantity; another (a stick and spoons) only ends before the food.
void LineReader::readAddedAmount()
{
    qsizetype at = at_;
    if (at < text_.size() && text_[at] == u'+')
        ++at;
    else if (lowerTokenAt(at) == u"plus")
        at += 4;
    else
        return;
    skipSpaces(at);
    const auto number = readNumber(view(), at);
    if (!number || !line_.quantity || !line_.unit)
        return;
    qsizetype unitStart = number->end;
    skipSpaces(unitStart);
    const auto unit = unitAt(unitStart);
    if (!unit || unitKind(unit->first) == UnitKind::Size)
        return;
    const UnitKind kind = unitKind(*line_.unit);
    const double ratio = kind == UnitKind::Volume && unitKind(unit->first) == kind
                             ? millilitresPerUnit(unit->first) / millilitresPerUnit(*line_.unit)
                         : kind == UnitKind::Mass && unitKind(unit->first) == kind
                             ? gramsPerUnit(unit->first) / gramsPerUnit(*line_.unit)
                         : unit->first == *line_.unit ? 1
                                                      : 0;
    if (ratio > 0) {
        const double added = number->value * ratio;
        line_.quantity = *line_.quantity + added;
        line_.rangeLow = line_.rangeLow.value_or(0) + added;
        line_.rangeHigh = line_.rangeHigh.value_or(0) + added;
        // The amount is both amounts: the row's name keeps neither.
        if (const qsizetype start = text_.indexOf(line_.quantityText); start >= 0 && !line_.quantityText.isEmpty())
            line_.quantityText = text_.sliced(start, unit->second - start);
    }
    at_ = unit->second;
    skipSpaces(at_);
    if (lowerTokenAt(at_) == u"of") {
        at_ += 2;
        skipSpaces(at_);
    }
}

// "15 oz can pumpkin", "2 x 400 g tins of tomatoes": the container a mass or volume comes in.
void LineReader::readContainer()
{
    if (!line_.unit || !isMassOrVolume(*line_.unit))
        return;
    const auto unit = unitAt(at_);
    if (!unit || !isContainer(unit->first) || unit->first == Unit::Stick)
        return;
    line_.container = unit->first;
    at_ = unit->second;
    skipSpaces(at_);
    if (lowerTokenAt(at_) == u"of") {
        at_ += 2;
        skipSpaces(at_);
    }
}

// "Pinch of salt", "Dash hot sauce": the small measures count one without a number.
void LineReader::readBareUnitCount()
{
    const auto unit = unitAt(at_);
    if (!unit || (unit->first != Unit::Pinch && unit->first != Unit::Dash))
        return;
    line_.quantity = line_.rangeLow = line_.rangeHigh = 1;
}

QStringView LineReader::takeComments(QStringView food, QStringView lowerFood, QStringList& notes)
{
    const qsizetype cut = commentStart(lowerFood);
    qsizetype kept = 0;
    // Preparation words before the food: "finely chopped onion".
    for (qsizetype space = lowerFood.indexOf(u' '); space >= 0 && space < cut; space = lowerFood.indexOf(u' ', kept)) {
        if (!isLeadingPreparation(lowerFood.sliced(kept, space - kept)))
            break;
        kept = space + 1;
    }
    if (cut < food.size())
        notes.prepend(food.sliced(cut).trimmed().toString());
    if (kept > 0)
        notes.prepend(food.first(kept - 1).toString());
    return food.sliced(kept, cut - kept);
}

void LineReader::readRest()
{
    const qsizetype restStart = std::min(at_, text_.size());
    QStringView rest = view().sliced(restStart);
    QStringView lowerRest = QStringView(lower_).sliced(restStart);
    QString withoutBrackets;
    QString lowerWithoutBrackets;
    QStringList notes;
    QString lastBracket;
    // Brackets hold an amount or a comment; neither is the food.
    if (rest.contains(u'(')) {
        withoutBrackets = rest.toString();
        for (qsizetype open = withoutBrackets.indexOf(u'('); open >= 0; open = withoutBrackets.indexOf(u'(', open)) {
            // The bracket's own close: "(freshly squeezed (from 1/2 grapefruit))" holds another.
            qsizetype close = open + 1;
            for (int depth = 1; close < withoutBrackets.size(); ++close) {
                depth += withoutBrackets[close] == u'(' ? 1 : withoutBrackets[close] == u')' ? -1 : 0;
                if (depth == 0)
                    break;
            }
            if (close >= withoutBrackets.size())
                close = withoutBrackets.size() - 1;
            QString inside =
                withoutBrackets.sliced(open + 1, close - open - (withoutBrackets[close] == u')' ? 1 : 0)).trimmed();
            // "((12 oz each) )": brackets doubled around one amount.
            while (inside.startsWith(u'(') && inside.endsWith(u')'))
                inside = inside.sliced(1, inside.size() - 2).trimmed();
            const LineReader inner(inside);
            qsizetype innerEnd = 0;
            if (auto alternative = line_.alternative ? std::nullopt : inner.amountAt(0, innerEnd)) {
                alternative->perItem = inner.lower_.contains(u"each") || (line_.unit && isContainer(*line_.unit));
                line_.alternative = alternative;
            } else if (!inside.isEmpty()) {
                notes << inside;
                lastBracket = inside;
            }
            withoutBrackets.remove(open, close - open + 1);
        }
        withoutBrackets = withoutBrackets.simplified();
        lowerWithoutBrackets = lowered(withoutBrackets);
        rest = withoutBrackets;
        lowerRest = lowerWithoutBrackets;
    }
    // "21oz (600g) of farmer's cheese": the "of" after an amount in brackets.
    if (lowerRest.trimmed().startsWith(u"of ")) {
        const qsizetype of = lowerRest.indexOf(u"of ");
        rest = rest.sliced(of + 3);
        lowerRest = lowerRest.sliced(of + 3);
    }
    qsizetype split = foodEnd(rest);
    // "sliced, toasted almonds", "4 boneless, skinless chicken thighs": words that only describe
    // the food stand before the comma, and the food comes after it.
    QString joinedFood;
    QString lowerJoinedFood;
    if (split < rest.size() && rest[split] == u',' && onlyDescribes(lowerRest.first(split))) {
        joinedFood = rest.first(split).toString() + rest.sliced(split + 1).toString();
        lowerJoinedFood = lowered(joinedFood);
        rest = joinedFood;
        lowerRest = lowerJoinedFood;
        split = foodEnd(rest);
    }
    QStringView food = rest.first(split);
    QStringView lowerFood = lowerRest.first(split);
    while (!food.isEmpty() && food[0] == u' ') {
        food = food.sliced(1);
        lowerFood = lowerFood.sliced(1);
    }
    food = takeComments(food, lowerFood, notes);
    QStringView tail = rest.sliced(split);
    while (!tail.isEmpty() && (tail[0] == u',' || tail[0] == u';' || tail[0] == u'-' || tail[0] == u'–'
                               || tail[0] == u'—' || tail[0] == u' '))
        tail = tail.sliced(1);
    tail = tail.trimmed();
    if (!tail.isEmpty())
        notes << tail.toString();
    // "1 whole salmon, about 1½ lbs", "2 breasts, 8 oz each, sliced": a mass after the comma
    // weighs the line as one in brackets does.
    if (!line_.alternative && !tail.isEmpty()) {
        const qsizetype comma = tail.indexOf(u',');
        const LineReader after(tail.first(comma < 0 ? tail.size() : comma).toString());
        qsizetype end = 0;
        if (auto amount = after.amountAt(0, end)) {
            const QStringView left = QStringView(after.lower_).sliced(end).trimmed();
            if (left.isEmpty() || left == u"each") {
                amount->perItem = !left.isEmpty();
                line_.alternative = amount;
            }
        }
    }
    food = food.trimmed();
    while (food.endsWith(u'.') || food.endsWith(u':') || food.endsWith(u'*'))
        food.chop(1);
    food = food.trimmed();
    // "2 garlic cloves", "10 thyme sprigs": the unit written after the food.
    if (line_.quantity && !line_.unit) {
        const qsizetype space = food.lastIndexOf(u' ');
        if (space > 0)
            if (const auto unit = unitFromText(food.sliced(space + 1));
                unit && unitKind(*unit) == UnitKind::Count && *unit != Unit::Leaf && *unit != Unit::Inch) {
                line_.unit = unit;
                line_.unitText = food.sliced(space + 1).toString();
                food.truncate(space);
            }
    }
    line_.food = food.toString();
    // "2/3 cup (60g) (old-fashioned rolled oats)": the food itself in brackets, nothing outside them.
    if (line_.food.isEmpty() && !lastBracket.isEmpty()) {
        line_.food = lastBracket;
        notes.removeOne(lastBracket);
    }
    if (!juiceOf_.isEmpty() && !line_.food.isEmpty())
        line_.food += u' ' + juiceOf_;
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
