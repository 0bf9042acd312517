// Any bytes as a pasted ingredient line: the reader never crashes, never gives a
// quantity or mass that is no finite number.
#include "kitchen/IngredientLine.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const IngredientLine line = readIngredientLine(text);
    const auto finite = [](const std::optional<double>& value) { return !value || std::isfinite(*value); };
    if (!finite(line.quantity) || !finite(line.rangeLow) || !finite(line.rangeHigh) || !std::isfinite(line.multiplier))
        std::abort();
    if (line.alternative && !std::isfinite(line.alternative->value))
        std::abort();
    return 0;
}
