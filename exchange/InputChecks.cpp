#include "exchange/InputChecks.h"

#include "exchange/RecipeReaders.h"

#include <algorithm>

namespace {

// Zero bytes, or more control characters than text ever has, in the first block.
bool looksBinary(std::string_view bytes)
{
    if (startsWithUtf16Mark(bytes))
        return false;
    const std::string_view head = bytes.substr(0, 64 * 1024);
    std::size_t controls = 0;
    for (unsigned char c : head) {
        if (c == 0)
            return true;
        if (c < 0x20 && c != '\t' && c != '\n' && c != '\r' && c != '\f')
            ++controls;
    }
    return controls * 100 > head.size();
}

bool onlyBlanks(std::string_view bytes)
{
    if (bytes.starts_with("\xEF\xBB\xBF"))
        bytes.remove_prefix(3);
    return std::all_of(bytes.begin(), bytes.end(),
                       [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; });
}

} // namespace

bool startsWithUtf16Mark(std::string_view bytes)
{
    return bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF");
}

std::optional<std::string> inputProblem(std::string_view bytes, std::string_view origin)
{
    const std::string cannotRead = "Cannot read " + std::string(origin) + ": ";
    if (bytes.size() > kMaxRecipeInputBytes)
        return cannotRead + "larger than 20 MB";
    if (onlyBlanks(bytes))
        return cannotRead + "empty";
    if (looksBinary(bytes))
        return cannotRead + "binary data, not text";
    return std::nullopt;
}
