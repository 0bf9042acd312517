#pragma once

#include <stdexcept>
#include <string>

// The one base class of every exception the program raises on purpose.
// Its message is written for the user: the error box shows it as it stands.
class ProgramError : public std::runtime_error {
public:
    explicit ProgramError(const std::string& message, int code = 0) : std::runtime_error(message), code_(code) {}

    // SQLite's extended result code when the error came from the data file, else 0.
    int code() const { return code_; }
    // The data file may not be written (SQLite's SQLITE_READONLY, 8).
    bool fileReadOnly() const { return (code_ & 0xff) == 8; }

private:
    int code_;
};
