#pragma once

#include <stdexcept>
#include <string>

namespace ui {

/// A widget file that cannot be read or understood. what() is one line:
/// "<file>:<line>: <problem>", or "<file>: <problem>" when no line applies.
class FormError : public std::runtime_error {
public:
    FormError(const std::string& file, int line, const std::string& problem);
    FormError(const std::string& file, const std::string& problem);

    const std::string& file() const { return m_file; }
    int line() const { return m_line; } ///< 0 when the problem concerns the whole file
    const std::string& problem() const { return m_problem; }

private:
    std::string m_file;
    int m_line;
    std::string m_problem;
};

} // namespace ui
