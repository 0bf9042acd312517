// Saved pages come from anywhere: the page reader must answer every input with
// recipes or a reason, never a fault.

#include "exchange/RecipeReaders.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const RecipeReading reading = readRecipePage(std::string_view(reinterpret_cast<const char*>(data), size));
    if (reading.recipes.empty() == reading.problem.empty())
        __builtin_trap();
    return 0;
}
