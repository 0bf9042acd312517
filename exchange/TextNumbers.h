#pragma once

#include <QString>

#include <optional>

// The first number of a text: "Makes 24 cookies" is 24, "Serves four" is 4.
std::optional<double> firstNumber(const QString& text);

// Minutes of an ISO 8601 duration ("PT1H30M", "P0DT2H", "PT0.5H"; also without its
// "T", as some sites write it: a recipe's "M" is minutes, never months) or of what
// other sites write instead ("1 hour 20 mins"); nothing when the text is neither.
std::optional<double> durationMinutes(const QString& text);
