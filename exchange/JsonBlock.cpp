#include "exchange/JsonBlock.h"

#include "exchange/RecipeReaders.h"

#include <QByteArray>

namespace {

// The deepest nesting of arrays and objects, outside strings; stops counting past the limit.
int nestingDepth(std::string_view text)
{
    int depth = 0;
    int deepest = 0;
    bool inString = false;
    bool escaped = false;
    for (char c : text) {
        if (inString) {
            if (escaped)
                escaped = false;
            else if (c == '\\')
                escaped = true;
            else if (c == '"')
                inString = false;
            continue;
        }
        if (c == '"') {
            inString = true;
        } else if (c == '{' || c == '[') {
            if (++depth > deepest && (deepest = depth) > kMaxJsonNesting)
                return deepest;
        } else if ((c == '}' || c == ']') && depth > 0) {
            --depth;
        }
    }
    return deepest;
}

// Pages wrap their JSON in comments or CDATA markers, and some add a stray semicolon.
std::string_view withoutWrapping(std::string_view text)
{
    const auto trim = [](std::string_view& t) {
        while (!t.empty() && static_cast<unsigned char>(t.front()) <= ' ')
            t.remove_prefix(1);
        while (!t.empty() && (static_cast<unsigned char>(t.back()) <= ' ' || t.back() == ';'))
            t.remove_suffix(1);
    };
    trim(text);
    for (std::string_view open : {"<!--", "//<![CDATA[", "/*<![CDATA[*/", "<![CDATA["})
        if (text.starts_with(open))
            text.remove_prefix(open.size());
    trim(text);
    for (std::string_view close : {"-->", "//]]>", "/*]]>*/", "]]>"})
        if (text.ends_with(close))
            text.remove_suffix(close.size());
    trim(text);
    if (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3);
    return text;
}

} // namespace

JsonBlock parseJsonBlock(std::string_view bytes)
{
    const std::string_view text = withoutWrapping(bytes);
    if (text.empty())
        return {{}, "empty JSON"};
    if (nestingDepth(text) > kMaxJsonNesting)
        return {{}, "nested deeper than " + std::to_string(kMaxJsonNesting) + " levels"};
    QJsonParseError error;
    QJsonDocument document = QJsonDocument::fromJson(
        QByteArray::fromRawData(text.data(), static_cast<qsizetype>(text.size())), &error);
    if (error.error != QJsonParseError::NoError)
        return {{}, "broken JSON at character " + std::to_string(error.offset) + ": " + error.errorString().toStdString()};
    return {std::move(document), {}};
}
