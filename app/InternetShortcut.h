#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

// The bottom-bar links open internet-shortcut files (".url") from the working
// folder. Only the address is taken from the file, and only a web or mail
// address is ever opened: a shortcut can name any program, and a link in a
// recipe program must never run one.

// The URL= address of the [InternetShortcut] section, if it is an http, https or
// mailto address; nothing for a missing or unreadable file or any other address.
std::optional<std::string> readShortcutAddress(const std::filesystem::path& file);

// Opens the shortcut's address with the desktop's default handler; silently does
// nothing when there is no acceptable address.
void openInternetShortcut(const std::filesystem::path& file);

// Test seam: replaces the desktop's handler; returns the previous one.
using AddressOpener = std::function<void(const std::string&)>;
AddressOpener setAddressOpener(AddressOpener opener);
