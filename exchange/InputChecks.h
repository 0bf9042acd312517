#pragma once

#include <optional>
#include <string>
#include <string_view>

// Checks every reader makes before reading: size, emptiness, binary data.

// Text in UTF-16 starts with its byte order mark; such text holds zero bytes.
bool startsWithUtf16Mark(std::string_view bytes);

// A one-line reason the input cannot be a recipe, naming `origin`; nothing when it may be one.
std::optional<std::string> inputProblem(std::string_view bytes, std::string_view origin);
