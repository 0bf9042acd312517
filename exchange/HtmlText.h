#pragma once

#include <QString>
#include <QStringList>

#include <libxml/tree.h>

// Elements nested deeper than this are left out: real pages stay far below it, and
// the walks over the tree recurse.
inline constexpr int kMaxElementNesting = 256;

// Text as a reader sees it: entities decoded, tags gone, blanks normalised.

// One line: every run of blanks (tabs, line breaks, no-break and other Unicode
// spaces) becomes one space, none at either end.
QString collapsedBlanks(const QString& text);

// The non-empty lines of a text, each with its blanks collapsed.
QStringList textLines(const QString& text);

// The text of an element and everything in it; block elements (paragraphs, list
// items, line breaks, headings...) end a line, scripts and styles give nothing.
QString nodeText(const xmlNode* node);

// A text that may hold markup or entities ("Salt &amp; pepper", "<p>Mix.</p>"),
// read by the HTML parser; line breaks where the markup has blocks.
QString markupText(const QString& text);
