#pragma once

#include <stdexcept>
#include <string>

// The one base class of every exception the program raises on purpose.
// Its message is written for the user: the error box shows it as it stands.
class ProgramError : public std::runtime_error {
public:
    explicit ProgramError(const std::string& message) : std::runtime_error(message) {}
};
