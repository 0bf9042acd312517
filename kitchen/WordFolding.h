#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>

// Words compared the way a cook reads them: case, accents and plurals make no
// difference ("Jalapeños" and "jalapeno" are one word). Both the foods' descriptions
// and a line's food words go through the same folding, so a plural rule that is
// not English still matches itself.
QString foldedWord(QStringView word);
// The text with its letters' accents taken off ("Crème" is "Creme"); case stays.
QString withoutAccents(QStringView text);
// The same folding into a buffer the caller keeps, for folding many words without allocating.
void foldWordInto(QStringView word, QString& folded);
// The next word of `text` from `at` on, as foldedWords splits it, and `at` moved past it; nothing at the end.
std::optional<QStringView> nextWord(QStringView text, qsizetype& at);
// The text's words, folded, in order; anything that is not a letter or a digit separates them.
QStringList foldedWords(QStringView text);
