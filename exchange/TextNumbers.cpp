#include "exchange/TextNumbers.h"

#include <QRegularExpression>
#include <QStringList>

namespace {

std::optional<double> numberWord(const QString& word)
{
    static const QStringList kWords = {"one", "two", "three", "four", "five", "six", "seven", "eight",
                                       "nine", "ten", "eleven", "twelve"};
    const qsizetype index = kWords.indexOf(word.toLower());
    if (index >= 0)
        return static_cast<double>(index + 1);
    return std::nullopt;
}

} // namespace

std::optional<double> firstNumber(const QString& text)
{
    static const QRegularExpression number(QStringLiteral("(\\d+(?:[.,]\\d+)?)|\\b([A-Za-z]+)\\b"));
    for (auto match = number.globalMatch(text); match.hasNext();) {
        const auto found = match.next();
        if (found.hasCaptured(1))
            return found.captured(1).replace(u',', u'.').toDouble();
        if (auto word = numberWord(found.captured(2)))
            return word;
    }
    return std::nullopt;
}

std::optional<double> durationMinutes(const QString& written)
{
    const QString text = written.trimmed();
    if (text.isEmpty())
        return std::nullopt;
    static const QRegularExpression iso(
        QStringLiteral("^P(?:(\\d+(?:[.,]\\d+)?)W)?(?:(\\d+(?:[.,]\\d+)?)D)?"
                       "(?:T?(?:(\\d+(?:[.,]\\d+)?)H)?(?:(\\d+(?:[.,]\\d+)?)M)?(?:(\\d+(?:[.,]\\d+)?)S)?)?$"),
        QRegularExpression::CaseInsensitiveOption);
    const auto part = [](const QRegularExpressionMatch& match, int index) {
        return match.hasCaptured(index) ? match.captured(index).replace(u',', u'.').toDouble() : 0.0;
    };
    if (const auto match = iso.match(text); match.hasMatch()) {
        bool anyPart = false;
        for (int index = 1; index <= 5; ++index)
            anyPart = anyPart || match.hasCaptured(index);
        if (!anyPart)
            return std::nullopt; // a bare "P" or "PT"
        return part(match, 1) * 7 * 24 * 60 + part(match, 2) * 24 * 60 + part(match, 3) * 60 + part(match, 4)
             + part(match, 5) / 60;
    }
    static const QRegularExpression words(
        QStringLiteral("(\\d+(?:[.,]\\d+)?)\\s*(h|hr|hrs|hour|hours|m|min|mins|minute|minutes)\\b"),
        QRegularExpression::CaseInsensitiveOption);
    std::optional<double> minutes;
    for (auto match = words.globalMatch(text); match.hasNext();) {
        const auto found = match.next();
        const double amount = part(found, 1);
        minutes = minutes.value_or(0) + (found.captured(2).startsWith(u'h', Qt::CaseInsensitive) ? amount * 60 : amount);
    }
    if (!minutes) {
        bool whole = false;
        const double bare = text.toDouble(&whole);
        if (whole)
            minutes = bare;
    }
    return minutes;
}

