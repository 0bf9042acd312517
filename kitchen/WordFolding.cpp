#include "kitchen/WordFolding.h"

#include <initializer_list>
#include <string_view>

namespace {

bool isAscii(QStringView word)
{
    for (QChar c : word)
        if (c.unicode() >= 0x80)
            return false;
    return true;
}

} // namespace

QString withoutAccents(QStringView word)
{
    const QString decomposed = word.toString().normalized(QString::NormalizationForm_D);
    QString folded;
    folded.reserve(decomposed.size());
    for (QChar c : decomposed)
        if (c.category() != QChar::Mark_NonSpacing)
            folded += c;
    return folded;
}

namespace {

bool endsWithAny(std::u16string_view word, std::initializer_list<std::u16string_view> endings)
{
    for (std::u16string_view ending : endings)
        if (word.ends_with(ending))
            return true;
    return false;
}

void makeSingular(QString& folded)
{
    const std::u16string_view word(reinterpret_cast<const char16_t*>(folded.constData()), std::size_t(folded.size()));
    // "cookie" and "cookies" both become "cooky".
    if (word.size() > 4 && word.ends_with(u"ie")) {
        folded.chop(2);
        folded += u'y';
        return;
    }
    if (word.size() <= 3 || !word.ends_with(u's'))
        return;
    if (word == u"leaves" || word == u"halves" || word == u"loaves") {
        folded.chop(3);
        folded += u'f';
    } else if (endsWithAny(word, {u"ss", u"us", u"is"})) {
        return;
    } else if (word.ends_with(u"ies")) {
        folded.chop(3);
        folded += u'y';
    } else if (endsWithAny(word, {u"oes", u"ches", u"shes", u"xes", u"sses"})) {
        folded.chop(2);
    } else {
        folded.chop(1);
    }
}

bool isWordCharacter(QChar c, bool inWord)
{
    if (c.unicode() < 0x80)
        return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') || (c == u'\'' && inWord);
    return c.isLetterOrNumber() || c.category() == QChar::Mark_NonSpacing;
}

} // namespace

void foldWordInto(QStringView word, QString& folded)
{
    if (isAscii(word)) {
        folded.resize(word.size());
        QChar* out = folded.data();
        for (QChar c : word)
            *out++ = c >= u'A' && c <= u'Z' ? QChar(c.unicode() + 32) : c;
    } else {
        folded = withoutAccents(word).toLower();
    }
    makeSingular(folded);
}

QString foldedWord(QStringView word)
{
    QString folded;
    foldWordInto(word, folded);
    return folded;
}

std::optional<QStringView> nextWord(QStringView text, qsizetype& at)
{
    while (at < text.size()) {
        while (at < text.size() && !isWordCharacter(text[at], false))
            ++at;
        const qsizetype start = at;
        while (at < text.size() && isWordCharacter(text[at], true))
            ++at;
        QStringView word = text.sliced(start, at - start);
        while (word.endsWith(u'\''))
            word.chop(1);
        if (word.endsWith(u"'s")) // "confectioner's"
            word.chop(2);
        if (!word.isEmpty())
            return word;
    }
    return std::nullopt;
}

QStringList foldedWords(QStringView text)
{
    QStringList words;
    qsizetype at = 0;
    while (const auto word = nextWord(text, at))
        words << foldedWord(*word);
    return words;
}
