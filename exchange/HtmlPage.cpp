#include "exchange/HtmlPage.h"

#include "exchange/HtmlDocument.h"
#include "exchange/HtmlText.h"

#include <QJsonArray>

#include <cstring>
#include <memory>

namespace {

// Microdata items nest no deeper than this; deeper ones are left out.
constexpr int kMaxItemNesting = 16;

bool named(const xmlNode* node, const char* name)
{
    return std::strcmp(reinterpret_cast<const char*>(node->name), name) == 0;
}

QString attribute(const xmlNode* node, const char* name)
{
    std::unique_ptr<xmlChar, decltype(xmlFree)> value(xmlGetProp(node, reinterpret_cast<const xmlChar*>(name)), xmlFree);
    return value ? QString::fromUtf8(reinterpret_cast<const char*>(value.get())) : QString();
}

bool hasAttribute(const xmlNode* node, const char* name)
{
    return xmlHasProp(node, reinterpret_cast<const xmlChar*>(name)) != nullptr;
}

bool isRecipeItem(const xmlNode* node)
{
    if (!hasAttribute(node, "itemscope"))
        return false;
    for (const QString& type : attribute(node, "itemtype").split(u' ', Qt::SkipEmptyParts))
        if (type.endsWith(QStringLiteral("/Recipe")))
            return true;
    return false;
}

QString itemTypeName(const xmlNode* node)
{
    const QString type = attribute(node, "itemtype").section(u' ', 0, 0, QString::SectionSkipEmpty);
    return type.mid(type.lastIndexOf(u'/') + 1);
}

// A property's value as microdata defines it, by the element that carries it.
QString propertyValue(const xmlNode* node)
{
    if (hasAttribute(node, "content"))
        return collapsedBlanks(attribute(node, "content"));
    if (named(node, "a") || named(node, "link") || named(node, "area"))
        return attribute(node, "href").trimmed();
    if (named(node, "img") || named(node, "source") || named(node, "video") || named(node, "audio"))
        return attribute(node, "src").trimmed();
    if (named(node, "time") && hasAttribute(node, "datetime"))
        return attribute(node, "datetime").trimmed();
    if ((named(node, "data") || named(node, "meter")) && hasAttribute(node, "value"))
        return attribute(node, "value").trimmed();
    return textLines(nodeText(node)).join(u'\n');
}

void addProperty(QJsonObject& item, const QString& name, const QJsonValue& value)
{
    const QJsonValue existing = item.value(name);
    if (existing.isUndefined()) {
        item.insert(name, value);
        return;
    }
    QJsonArray values = existing.isArray() ? existing.toArray() : QJsonArray{existing};
    values.append(value);
    item.insert(name, values);
}

QJsonObject microdataItem(const xmlNode* scope, int depth);

void collectProperties(const xmlNode* node, QJsonObject& item, int depth, int elementDepth = 0)
{
    if (elementDepth > kMaxElementNesting)
        return;
    for (const xmlNode* child = node->children; child; child = child->next) {
        if (child->type != XML_ELEMENT_NODE)
            continue;
        const bool scoped = hasAttribute(child, "itemscope");
        if (hasAttribute(child, "itemprop")) {
            if (scoped && depth >= kMaxItemNesting)
                continue;
            const QJsonValue value = scoped ? QJsonValue(microdataItem(child, depth + 1)) : QJsonValue(propertyValue(child));
            for (const QString& name : attribute(child, "itemprop").split(u' ', Qt::SkipEmptyParts))
                addProperty(item, name, value);
        }
        if (!scoped)
            collectProperties(child, item, depth, elementDepth + 1);
    }
}

QJsonObject microdataItem(const xmlNode* scope, int depth)
{
    QJsonObject item;
    item.insert(QStringLiteral("@type"), itemTypeName(scope));
    collectProperties(scope, item, depth);
    return item;
}

class PageWalker {
public:
    explicit PageWalker(HtmlPage& page) : page_(page) {}

    void read(const xmlNode* root)
    {
        visit(root, 0);
        if (page_.context.canonicalLink.isEmpty())
            page_.context.canonicalLink = ogUrl_;
    }

private:
    void walk(const xmlNode* node, int depth)
    {
        if (depth > kMaxElementNesting)
            return;
        for (const xmlNode* child = node->children; child; child = child->next)
            if (child->type == XML_ELEMENT_NODE)
                visit(child, depth + 1);
    }

    void visit(const xmlNode* node, int depth)
    {
        if (named(node, "script")) {
            if (attribute(node, "type").trimmed().compare(QStringLiteral("application/ld+json"), Qt::CaseInsensitive) == 0)
                page_.jsonLdBlocks.push_back(scriptText(node));
            return;
        }
        if (named(node, "title") && page_.context.title.isEmpty()) {
            page_.context.title = collapsedBlanks(nodeText(node));
        } else if (named(node, "link") && page_.context.canonicalLink.isEmpty()
                   && attribute(node, "rel").split(u' ').contains(QStringLiteral("canonical"), Qt::CaseInsensitive)) {
            page_.context.canonicalLink = attribute(node, "href").trimmed();
        } else if (named(node, "meta")) {
            readMeta(node);
        }
        if (isRecipeItem(node)) {
            page_.microdataRecipes.push_back(microdataItem(node, 0));
            return;
        }
        walk(node, depth);
    }

    void readMeta(const xmlNode* node)
    {
        const QString property = attribute(node, "property");
        if (property == QStringLiteral("og:site_name") && page_.context.siteName.isEmpty())
            page_.context.siteName = collapsedBlanks(attribute(node, "content"));
        else if (property == QStringLiteral("og:url") && ogUrl_.isEmpty())
            ogUrl_ = attribute(node, "content").trimmed();
    }

    static std::string scriptText(const xmlNode* node)
    {
        std::string text;
        for (const xmlNode* child = node->children; child; child = child->next)
            if (child->content)
                text += reinterpret_cast<const char*>(child->content);
        return text;
    }

    HtmlPage& page_;
    QString ogUrl_;
};

} // namespace

HtmlPage readHtmlPage(std::string_view bytes)
{
    HtmlPage page;
    const HtmlDocument document(bytes, nullptr);
    if (const xmlNode* root = document.root()) {
        PageWalker(page).read(root);
    }
    return page;
}
