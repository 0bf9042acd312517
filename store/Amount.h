#pragma once

#include <string_view>

// Reads an amount the user typed: the longest number at the start of the text
// (blanks before it allowed), written as an optional sign, digits with at most one
// decimal point, and an optional exponent. What follows it is ignored ("2.5kg" is
// 2.5). The result is always finite: a text without such a number, or one too large
// to hold ("1e999"), reads as 0, and so do "inf", "nan" and hexadecimal forms.
double readAmount(std::string_view text);
