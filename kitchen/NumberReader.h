#pragma once

#include <QStringView>

#include <optional>

// One number as cooks write it, starting at a position of a line: "2", "1.5", "1,5",
// "1,000", "1/2", "1 1/2", "1-1/2", "1½", "½", "one", "twelve", "half", "dozen".
struct NumberRead {
    double value = 0;
    qsizetype end = 0; // the position just past the number
};

// Nothing when no number starts at `at`, or when its digits make no finite value.
std::optional<NumberRead> readNumber(QStringView text, qsizetype at);

// The value of a Unicode vulgar fraction ("½" is 0.5), or nothing.
std::optional<double> vulgarFraction(QChar c);
