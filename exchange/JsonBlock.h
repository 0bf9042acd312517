#pragma once

#include <QJsonDocument>

#include <string>
#include <string_view>

// One JSON text parsed by Qt, after a scan that refuses nesting deeper than the
// readers allow (so no parser recursion grows with hostile input).
struct JsonBlock {
    QJsonDocument document;
    std::string problem; // one line; empty when the block was read
};

JsonBlock parseJsonBlock(std::string_view bytes);
