#include "tools/SrReader.h"

#include "store/ProgramError.h"
#include "store/Text.h"

#include <zlib.h>

#include <cstring>
#include <filesystem>

namespace {

// Code points of the bytes 0x80..0x9F; the five bytes Windows leaves undefined keep their value.
constexpr char32_t kHighControlRange[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

void appendUtf8(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

[[noreturn]] void malformed(const std::string& fileName, std::size_t lineNumber, const std::string& what)
{
    throw ProgramError(fileName + " line " + std::to_string(lineNumber) + ": " + what);
}

} // namespace

std::string windows1252ToUtf8(const std::string& bytes)
{
    std::string out;
    out.reserve(bytes.size());
    for (unsigned char c : bytes) {
        if (c < 0x80)
            out += static_cast<char>(c);
        else if (c < 0xA0)
            appendUtf8(out, kHighControlRange[c - 0x80]);
        else
            appendUtf8(out, c);
    }
    return out;
}

SrRecord parseSrLine(const std::string& line, std::size_t expectedFields, const std::string& fileName, std::size_t lineNumber)
{
    SrRecord record;
    record.reserve(expectedFields);
    std::size_t pos = 0;
    while (true) {
        SrField field;
        if (pos < line.size() && line[pos] == '~') {
            const auto close = line.find('~', pos + 1);
            if (close == std::string::npos)
                malformed(fileName, lineNumber, "unterminated text in field " + std::to_string(record.size() + 1));
            field.present = true;
            field.text = windows1252ToUtf8(line.substr(pos + 1, close - pos - 1));
            pos = close + 1;
            if (pos < line.size() && line[pos] != '^')
                malformed(fileName, lineNumber, "text after the closing '~' of field " + std::to_string(record.size() + 1));
        } else {
            const auto caret = std::min(line.find('^', pos), line.size());
            field.text = windows1252ToUtf8(line.substr(pos, caret - pos));
            field.present = !field.text.empty();
            pos = caret;
        }
        record.push_back(std::move(field));
        if (pos >= line.size())
            break;
        ++pos; // the caret
    }
    if (record.size() != expectedFields)
        malformed(fileName, lineNumber,
                  std::to_string(record.size()) + " fields where " + std::to_string(expectedFields) + " were expected");
    return record;
}

SrFileReader::SrFileReader(const std::string& path, std::size_t expectedFields)
    : file_(nullptr), fileName_(std::filesystem::path(path).filename().string()), expectedFields_(expectedFields)
{
    if (fileName_.ends_with(".gz"))
        fileName_.resize(fileName_.size() - 3);
    file_ = gzopen(path.c_str(), "rb");
    if (!file_)
        throw ProgramError("Cannot open reference file " + path);
    gzbuffer(static_cast<gzFile>(file_), 1 << 17);
}

SrFileReader::~SrFileReader()
{
    gzclose(static_cast<gzFile>(file_));
}

bool SrFileReader::next(SrRecord& record)
{
    char buffer[4096];
    while (true) {
        line_.clear();
        bool gotAny = false;
        while (gzgets(static_cast<gzFile>(file_), buffer, sizeof buffer)) {
            gotAny = true;
            line_ += buffer;
            if (!line_.empty() && line_.back() == '\n')
                break;
        }
        if (!gotAny) {
            int error = Z_OK;
            const char* message = gzerror(static_cast<gzFile>(file_), &error);
            if (error != Z_OK && error != Z_STREAM_END)
                throw ProgramError(fileName_ + ": cannot read: " + message);
            return false;
        }
        ++lineNumber_;
        while (!line_.empty() && (line_.back() == '\n' || line_.back() == '\r'))
            line_.pop_back();
        if (line_.empty())
            continue; // a blank line (a trailing newline) carries no record
        record = parseSrLine(line_, expectedFields_, fileName_, lineNumber_);
        ++records_;
        return true;
    }
}

std::optional<std::int64_t> srInteger(const SrField& field, const SrFileReader& reader)
{
    if (trimmed(field.text).empty())
        return std::nullopt;
    if (const auto value = parseWholeNumber(field.text))
        return value;
    throw ProgramError(reader.fileName() + " record " + std::to_string(reader.recordsRead()) + ": '" + field.text
                       + "' is not a whole number");
}

std::optional<double> srNumber(const SrField& field, const SrFileReader& reader)
{
    if (trimmed(field.text).empty())
        return std::nullopt;
    if (const auto value = parseNumber(field.text))
        return value;
    throw ProgramError(reader.fileName() + " record " + std::to_string(reader.recordsRead()) + ": '" + field.text
                       + "' is not a number");
}
