#include "ui/FormError.hpp"

namespace ui {

FormError::FormError(const std::string& file, int line, const std::string& problem)
    : std::runtime_error(file + ":" + std::to_string(line) + ": " + problem), fileName(file),
      lineNumber(line), problemText(problem) {}

FormError::FormError(const std::string& file, const std::string& problem)
    : std::runtime_error(file + ": " + problem), fileName(file), lineNumber(0), problemText(problem) {}

} // namespace ui
