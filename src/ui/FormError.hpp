#pragma once

#include <stdexcept>
#include <string>

namespace ui {

// A widget file that cannot be read or understood. what() is one line:
// "<file>:<line>: <problem>", or "<file>: <problem>" when no line applies.
class FormError : public std::runtime_error {
public:
    FormError(const std::string& file, int line, const std::string& problem);
    FormError(const std::string& file, const std::string& problem);

    const std::string& file() const { return fileName; }
    int line() const { return lineNumber; } // 0 when the problem concerns the whole file
    const std::string& problem() const { return problemText; }

private:
    std::string fileName;
    int lineNumber;
    std::string problemText;
};

} // namespace ui
