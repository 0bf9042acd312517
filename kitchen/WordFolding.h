#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

// Words compared the way a cook reads them: case, accents and plurals make no
// difference ("Jalapeños" and "jalapeno" are one word). Both the foods' descriptions
// and a line's food words go through the same folding, so a plural rule that is
// not English still matches itself.
QString foldedWord(QStringView word);
// The text's words, folded, in order; anything that is not a letter or a digit separates them.
QStringList foldedWords(QStringView text);
