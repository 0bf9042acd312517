#pragma once

#include <libxml/HTMLparser.h>

#include <string_view>

// A page parsed by libxml2's HTML parser: it recovers from the broken markup real
// pages carry (as browsers do), honours the charset a page declares, and never
// reaches the network. Owns the tree.
class HtmlDocument {
public:
    // encoding: nullptr to take the page's own declaration.
    HtmlDocument(std::string_view bytes, const char* encoding);
    ~HtmlDocument();
    HtmlDocument(const HtmlDocument&) = delete;
    HtmlDocument& operator=(const HtmlDocument&) = delete;

    const xmlNode* root() const;
    const xmlNode* body() const;

private:
    htmlDocPtr document_ = nullptr;
};
