#include "app/InternetShortcut.h"

#include <QDesktopServices>
#include <QString>
#include <QUrl>

#include <algorithm>
#include <cctype>
#include <fstream>

namespace {

AddressOpener& opener()
{
    static AddressOpener current = [](const std::string& address) {
        QDesktopServices::openUrl(QUrl(QString::fromStdString(address)));
    };
    return current;
}

std::string trimmed(std::string text)
{
    const auto notSpace = [](unsigned char c) { return !std::isspace(c); };
    text.erase(text.begin(), std::find_if(text.begin(), text.end(), notSpace));
    text.erase(std::find_if(text.rbegin(), text.rend(), notSpace).base(), text.end());
    return text;
}

std::string lowered(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

bool acceptableAddress(const std::string& address)
{
    const std::string lower = lowered(address);
    const bool web = lower.starts_with("http://") || lower.starts_with("https://");
    const bool mail = lower.starts_with("mailto:");
    if (!web && !mail)
        return false;
    const QUrl url(QString::fromStdString(address), QUrl::StrictMode);
    return url.isValid() && (mail || !url.host().isEmpty());
}

} // namespace

std::optional<std::string> readShortcutAddress(const std::filesystem::path& file)
{
    std::ifstream in(file);
    if (!in)
        return std::nullopt;
    bool inSection = false;
    std::string line;
    while (std::getline(in, line)) {
        line = trimmed(line);
        if (line.starts_with("[")) {
            inSection = lowered(line) == "[internetshortcut]";
        } else if (inSection && lowered(line).starts_with("url=")) {
            const std::string address = trimmed(line.substr(4));
            return acceptableAddress(address) ? std::optional(address) : std::nullopt;
        }
    }
    return std::nullopt;
}

void openInternetShortcut(const std::filesystem::path& file)
{
    if (const auto address = readShortcutAddress(file))
        opener()(*address);
}

AddressOpener setAddressOpener(AddressOpener replacement)
{
    AddressOpener previous = std::move(opener());
    opener() = std::move(replacement);
    return previous;
}
