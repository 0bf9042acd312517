#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Reads the USDA Standard Reference ASCII files: records of '^'-separated fields,
// text between '~' marks, empty numbers as nothing, CRLF line ends, Windows-1252 text.
// Text comes back as UTF-8.

struct SrField {
    bool present = false; // false: an empty number (nothing between two carets)
    std::string text;     // UTF-8; for a quoted field the text between the tildes
};

using SrRecord = std::vector<SrField>;

// Splits one line (without its line end) into exactly `expectedFields` fields.
// Throws ProgramError "<file> line <n>: <what is wrong>" on a malformed line.
SrRecord parseSrLine(const std::string& line, std::size_t expectedFields, const std::string& fileName, std::size_t lineNumber);

std::string windows1252ToUtf8(const std::string& bytes);

class SrFileReader {
public:
    // Opens a file, gzipped or plain; throws ProgramError when it cannot.
    SrFileReader(const std::string& path, std::size_t expectedFields);
    ~SrFileReader();
    SrFileReader(const SrFileReader&) = delete;
    SrFileReader& operator=(const SrFileReader&) = delete;

    // Reads the next record; false at the end of the file.
    bool next(SrRecord& record);
    std::size_t recordsRead() const { return records_; }
    const std::string& fileName() const { return fileName_; }

private:
    void* file_; // gzFile
    std::string fileName_;
    std::size_t expectedFields_;
    std::size_t lineNumber_ = 0;
    std::size_t records_ = 0;
    std::string line_;
};

// Field conversions with the record's position in the error message.
std::optional<std::int64_t> srInteger(const SrField& field, const SrFileReader& reader);
std::optional<double> srNumber(const SrField& field, const SrFileReader& reader);
