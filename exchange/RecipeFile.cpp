#include "exchange/RecipeReaders.h"

#include "exchange/InputChecks.h"

#include <QString>
#include <QStringDecoder>

#include <fstream>
#include <optional>
#include <system_error>

namespace fs = std::filesystem;

namespace {

enum class FileKind { Page, Json, Text };

std::string lowerExtension(const fs::path& path)
{
    std::string extension = path.extension().string();
    for (char& c : extension)
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c);
    return extension;
}

std::optional<FileKind> kindByOpening(std::string_view text)
{
    if (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3);
    const auto first = text.find_first_not_of(" \t\r\n\f");
    if (first != std::string_view::npos) {
        if (text[first] == '{' || text[first] == '[')
            return FileKind::Json;
        if (text[first] == '<')
            return FileKind::Page;
    }
    return std::nullopt;
}

// What the text opens with decides; the extension only where the opening does not.
FileKind kindOf(const fs::path& path, std::string_view text)
{
    if (auto kind = kindByOpening(text))
        return *kind;
    const std::string extension = lowerExtension(path);
    if (extension == ".html" || extension == ".htm" || extension == ".xhtml")
        return FileKind::Page;
    if (extension == ".json" || extension == ".jsonld")
        return FileKind::Json;
    return FileKind::Text;
}

// Text files arrive in UTF-8, UTF-16 with its mark, or a Windows code page.
std::string utf8Text(std::string_view bytes)
{
    const QByteArray data = QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()));
    if (auto encoding = QStringConverter::encodingForData(data)) {
        QStringDecoder decoder(*encoding);
        return QString(decoder.decode(data)).toStdString();
    }
    QStringDecoder utf8(QStringConverter::Utf8);
    const QString text = utf8.decode(data);
    if (!utf8.hasError())
        return text.toStdString();
    QStringDecoder windows("windows-1252");
    if (windows.isValid())
        return QString(windows.decode(data)).toStdString();
    return QString::fromLatin1(data).toStdString();
}

std::optional<std::string> readBytes(const fs::path& path, const std::string& cannotRead, std::string& bytes)
{
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (error || !fs::exists(status))
        return cannotRead + "no such file";
    if (fs::is_directory(status))
        return cannotRead + "a folder, not a file";
    if (!fs::is_regular_file(status))
        return cannotRead + "not a regular file";
    const auto size = fs::file_size(path, error);
    if (error)
        return cannotRead + error.message();
    if (size > kMaxRecipeInputBytes)
        return cannotRead + "larger than 20 MB";
    std::ifstream in(path, std::ios::binary);
    bytes.resize(static_cast<std::size_t>(size));
    if (!in.read(bytes.data(), static_cast<std::streamsize>(bytes.size())))
        return cannotRead + "the file could not be read";
    return std::nullopt;
}

RecipeReading read(FileKind kind, std::string_view text, std::string_view origin)
{
    switch (kind) {
    case FileKind::Page:
        return readRecipePage(text, origin);
    case FileKind::Json:
        return readRecipeJson(text, origin);
    case FileKind::Text:
        break;
    }
    return readRecipeText(text, origin);
}

} // namespace

RecipeReading readPastedRecipe(std::string_view text)
{
    return read(kindByOpening(text).value_or(FileKind::Text), text, "the pasted text");
}

RecipeReading readRecipeFile(const fs::path& path)
{
    const std::string origin = path.string();
    std::string bytes;
    if (auto problem = readBytes(path, "Cannot read " + origin + ": ", bytes))
        return {{}, *problem, {}};
    if (auto problem = inputProblem(bytes, origin))
        return {{}, *problem, {}};
    const bool utf16 = startsWithUtf16Mark(bytes);
    const std::string text = utf16 ? utf8Text(bytes) : std::string();
    const FileKind kind = kindOf(path, utf16 ? text : bytes);
    // A page keeps its bytes: the HTML parser honours the charset the page declares.
    if (kind == FileKind::Page)
        return readRecipePage(bytes, origin);
    if (kind == FileKind::Json)
        return readRecipeJson(utf16 ? text : bytes, origin);
    return readRecipeText(utf16 ? text : utf8Text(bytes), origin);
}
