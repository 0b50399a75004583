#include "ui/FormError.hpp"

namespace ui {

FormError::FormError(const std::string& file, int line, const std::string& problem)
    : std::runtime_error(file + ":" + std::to_string(line) + ": " + problem), m_file(file), m_line(line),
      m_problem(problem) {}

FormError::FormError(const std::string& file, const std::string& problem)
    : std::runtime_error(file + ": " + problem), m_file(file), m_line(0), m_problem(problem) {}

} // namespace ui
