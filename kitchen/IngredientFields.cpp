#include "kitchen/IngredientFields.h"

namespace {

// Takes the first `part` at or after `from` out of `text`; returns where it stood.
qsizetype takeOut(QString& text, const QString& part, qsizetype from)
{
    if (part.isEmpty())
        return from;
    const qsizetype at = text.indexOf(part, from);
    if (at < 0)
        return from;
    text.remove(at, part.size());
    return at;
}

} // namespace

IngredientFields ingredientFields(const IngredientLine& line)
{
    IngredientFields fields;
    fields.quantity = line.quantity;
    fields.unit = line.unitText;
    QString rest = line.text;
    const qsizetype afterQuantity = takeOut(rest, line.quantityText, 0);
    takeOut(rest, line.unitText, afterQuantity);
    rest = rest.simplified();
    // What joined the amount to the food ("2 cups, sifted flour", "1 tbsp. of oil").
    while (!rest.isEmpty() && (rest.front() == u',' || rest.front() == u'.' || rest.front() == u'-'))
        rest = rest.mid(1).trimmed();
    if (rest.startsWith(QStringLiteral("of "), Qt::CaseInsensitive))
        rest = rest.mid(3);
    // Cut between whole characters, never inside a surrogate pair.
    if (rest.size() > kIngredientNameSize) {
        qsizetype cut = kIngredientNameSize;
        if (rest.at(cut - 1).isHighSurrogate())
            --cut;
        rest.truncate(cut);
    }
    fields.name = rest;
    return fields;
}

bool isIngredientHeading(const QString& line)
{
    const QString text = line.trimmed();
    if (text.isEmpty())
        return true;
    if (text.endsWith(u':'))
        return true;
    // A word or two in capitals with no figure: "INGREDIENTS", "FOR THE DOUGH".
    bool letters = false;
    for (const QChar c : text) {
        if (c.isDigit() || c.isLower())
            return false;
        letters = letters || c.isLetter();
    }
    return letters && text.size() <= 40;
}
