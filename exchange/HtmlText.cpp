#include "exchange/HtmlText.h"

#include "exchange/HtmlDocument.h"

#include <QRegularExpression>

#include <array>
#include <cstring>

namespace {

bool isBlank(QChar c)
{
    return c.isSpace() || c == QChar(0x200B) || c == QChar(0xFEFF);
}

bool isBlockElement(const xmlNode* node)
{
    static constexpr std::array kBlocks = {"address", "article", "aside", "blockquote", "br", "dd", "div", "dl",
                                           "dt", "figcaption", "figure", "footer", "h1", "h2", "h3", "h4", "h5",
                                           "h6", "header", "hr", "li", "main", "nav", "ol", "p", "pre", "section",
                                           "table", "td", "th", "tr", "ul"};
    const auto* name = reinterpret_cast<const char*>(node->name);
    for (const char* block : kBlocks)
        if (std::strcmp(name, block) == 0)
            return true;
    return false;
}

bool givesNoText(const xmlNode* node)
{
    const auto* name = reinterpret_cast<const char*>(node->name);
    return std::strcmp(name, "script") == 0 || std::strcmp(name, "style") == 0 || std::strcmp(name, "noscript") == 0
        || std::strcmp(name, "template") == 0;
}

void appendText(const xmlNode* node, QString& out, int depth)
{
    if (depth > kMaxElementNesting)
        return;
    for (const xmlNode* child = node->children; child; child = child->next) {
        if (child->type == XML_TEXT_NODE || child->type == XML_CDATA_SECTION_NODE) {
            out += QString::fromUtf8(reinterpret_cast<const char*>(child->content));
        } else if (child->type == XML_ELEMENT_NODE && !givesNoText(child)) {
            const bool block = isBlockElement(child);
            if (block)
                out += u'\n';
            appendText(child, out, depth + 1);
            if (block)
                out += u'\n';
        }
    }
}

} // namespace

QString collapsedBlanks(const QString& text)
{
    QString out;
    out.reserve(text.size());
    bool pendingBlank = false;
    for (QChar c : text) {
        if (isBlank(c)) {
            pendingBlank = !out.isEmpty();
            continue;
        }
        if (pendingBlank)
            out += u' ';
        pendingBlank = false;
        out += c;
    }
    return out;
}

QStringList textLines(const QString& text)
{
    QStringList lines;
    for (const QString& line : text.split(QRegularExpression(QStringLiteral("[\\n\\r\\x{2028}\\x{2029}]")))) {
        QString clean = collapsedBlanks(line);
        if (!clean.isEmpty())
            lines.append(clean);
    }
    return lines;
}

QString nodeText(const xmlNode* node)
{
    QString out;
    appendText(node, out, 0);
    return out;
}

QString markupText(const QString& text)
{
    if (!text.contains(u'<') && !text.contains(u'&'))
        return text;
    const QByteArray wrapped = "<html><body>" + text.toUtf8() + "</body></html>";
    const HtmlDocument document({wrapped.constData(), static_cast<std::size_t>(wrapped.size())}, "UTF-8");
    const xmlNode* body = document.body();
    return body ? nodeText(body) : text;
}
