#pragma once

#include <optional>
#include <string_view>

// Numbers as users type them. A comma followed by one or two digits is a decimal
// point ("1,5" is 1.5), since many users write it so; a comma followed by three
// digits groups thousands ("1,000" is 1000).

// Reads an amount the user typed: the longest number at the start of the text
// (blanks before it allowed), written as an optional sign, digits with at most one
// decimal point, and an optional exponent. What follows it is ignored ("2.5kg" is
// 2.5). The result is always finite: a text without such a number, or one too large
// to hold ("1e999"), reads as 0, and so do "inf", "nan" and hexadecimal forms.
double readAmount(std::string_view text);

// Reads a text that must be wholly a number (blanks at both ends aside), by the
// same rules; nothing when it is not one, or not a finite one.
std::optional<double> readTypedNumber(std::string_view text);

// One rule for every amount of food: above 0 and at most 100 kg once in grams.
inline constexpr double kMaxGrams = 100000;
inline constexpr const char* kAmountRuleMessage = "The amount must be a number above 0 and at most 100 kg.";
bool isAllowedGrams(double grams);
