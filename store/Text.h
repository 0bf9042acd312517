#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Small text helpers shared by the engine, the installer and the modules.

// Without the blanks and tabs at either end.
std::string trimmed(std::string_view text);

// Lengths and cuts counted in characters of UTF-8 text, not bytes.
std::size_t utf8Length(std::string_view text);
std::string utf8Prefix(std::string_view text, std::size_t characters);

// Two case-folding rules, one for each kind of text:
// - names the program itself spells (tables, fields, indexes) are ASCII, and are
//   compared on every field lookup, so they fold A-Z only and consult no locale;
// - text a user typed or the reference data holds folds accented letters too.
bool equalNamesIgnoringCase(std::string_view a, std::string_view b);

// Lower case of UTF-8 user text, letter by letter: ASCII and the Latin letters of the
// reference data's code page (Windows-1252: À to Þ, Œ, Š, Ž, Ÿ, and the rest of
// Latin Extended-A with them). Other characters and stray bytes pass unchanged.
std::string lowerText(std::string_view text);
// Whether two texts are equal when letter case is ignored, as lowerText sees case.
bool equalTextIgnoringCase(std::string_view a, std::string_view b);

// A whole number or a number written in decimal, blanks around it allowed;
// nothing for empty text or anything else.
std::optional<std::int64_t> parseWholeNumber(std::string_view text);
std::optional<double> parseNumber(std::string_view text);
