#include "exchange/HtmlDocument.h"

#include <climits>
#include <cstring>

namespace {

const xmlNode* findElement(const xmlNode* node, const char* name)
{
    for (const xmlNode* child = node ? node->children : nullptr; child; child = child->next)
        if (child->type == XML_ELEMENT_NODE && std::strcmp(reinterpret_cast<const char*>(child->name), name) == 0)
            return child;
    return nullptr;
}

} // namespace

HtmlDocument::HtmlDocument(std::string_view bytes, const char* encoding)
{
    if (bytes.size() > static_cast<std::size_t>(INT_MAX))
        return;
    // Once, before any parse: libxml2 sets up its globals lazily, which is not safe across threads.
    static const bool initialised = (xmlInitParser(), true);
    (void)initialised;
    constexpr int kOptions = HTML_PARSE_RECOVER | HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING | HTML_PARSE_NONET
                           | HTML_PARSE_COMPACT;
    document_ = htmlReadMemory(bytes.data(), static_cast<int>(bytes.size()), nullptr, encoding, kOptions);
}

HtmlDocument::~HtmlDocument()
{
    if (document_)
        xmlFreeDoc(document_);
}

const xmlNode* HtmlDocument::root() const
{
    return document_ ? xmlDocGetRootElement(document_) : nullptr;
}

const xmlNode* HtmlDocument::body() const
{
    return findElement(root(), "body");
}
