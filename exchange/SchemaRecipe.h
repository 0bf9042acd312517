#pragma once

#include "exchange/RecipeDraft.h"

#include <QHash>
#include <QJsonObject>
#include <QJsonValue>
#include <QString>

#include <vector>

// schema.org Recipe objects, from JSON-LD or from microdata turned into the same
// shape, made into drafts by one set of field rules.

// What the page around a recipe tells: used where the recipe itself is silent.
struct PageContext {
    QString title;
    QString canonicalLink;
    QString siteName;
};

class SchemaRecipeReader {
public:
    // Collects every Recipe object in the value (arrays, @graph, nested in other
    // objects), and every object with an @id for references elsewhere to it.
    void collect(const QJsonValue& value);

    const std::vector<QJsonObject>& recipes() const { return recipes_; }
    // The name of a WebSite or publishing Organization the documents describe, if any.
    QString siteName() const { return siteName_; }

    RecipeDraft draft(const QJsonObject& recipe, const PageContext& page) const;

private:
    void collect(const QJsonValue& value, int depth);
    // An object that is only {"@id": ...} stands for the object of that id.
    QJsonValue resolved(const QJsonValue& value) const;
    QString names(const QJsonValue& value, bool literal) const;
    QString link(const QJsonValue& value) const;

    std::vector<QJsonObject> recipes_;
    QHash<QString, QJsonObject> byId_;
    QString siteName_;
};

// The value's type is `type` (also as one of a list, or as a full schema.org address).
bool hasSchemaType(const QJsonObject& object, const QString& type);
