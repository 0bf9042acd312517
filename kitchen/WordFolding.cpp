#include "kitchen/WordFolding.h"

namespace {

QString withoutAccents(QStringView word)
{
    bool plain = true;
    for (QChar c : word)
        plain = plain && c.unicode() < 0x80;
    if (plain)
        return word.toString();
    const QString decomposed = word.toString().normalized(QString::NormalizationForm_D);
    QString folded;
    folded.reserve(decomposed.size());
    for (QChar c : decomposed)
        if (c.category() != QChar::Mark_NonSpacing)
            folded += c;
    return folded;
}

QString singular(QString word)
{
    const qsizetype n = word.size();
    // "cookie" and "cookies" both become "cooky".
    if (n > 4 && word.endsWith(u"ie"))
        return word.chopped(2) + u'y';
    if (n <= 3 || !word.endsWith(u's'))
        return word;
    if (word == u"leaves" || word == u"halves" || word == u"loaves")
        return word.chopped(3) + u'f';
    if (word.endsWith(u"ss") || word.endsWith(u"us") || word.endsWith(u"is"))
        return word;
    if (word.endsWith(u"ies"))
        return word.chopped(3) + u'y';
    if (word.endsWith(u"oes") || word.endsWith(u"ches") || word.endsWith(u"shes") || word.endsWith(u"xes")
        || word.endsWith(u"sses"))
        return word.chopped(2);
    return word.chopped(1);
}

} // namespace

QString foldedWord(QStringView word)
{
    return singular(withoutAccents(word).toLower());
}

QStringList foldedWords(QStringView text)
{
    QStringList words;
    qsizetype start = -1;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        const bool inWord = i < text.size() && (text[i].isLetterOrNumber() || text[i].category() == QChar::Mark_NonSpacing
                                                || (text[i] == u'\'' && start >= 0));
        if (inWord && start < 0)
            start = i;
        else if (!inWord && start >= 0) {
            QStringView word = text.sliced(start, i - start);
            while (word.endsWith(u'\''))
                word.chop(1);
            if (word.endsWith(u"'s")) // "confectioner's"
                word.chop(2);
            if (!word.isEmpty())
                words << foldedWord(word);
            start = -1;
        }
    }
    return words;
}
