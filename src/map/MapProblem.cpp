#include "map/MapProblem.hpp"

#include <utility>

MapProblem MapProblem::error(std::string subject, std::string message) {
    return {Severity::Error, std::move(subject), std::move(message)};
}

MapProblem MapProblem::warning(std::string subject, std::string message) {
    return {Severity::Warning, std::move(subject), std::move(message)};
}

std::string MapProblem::format(const std::string& mapPath) const {
    std::string line = mapPath + (isError() ? ": error: " : ": warning: ");
    if (!subject.empty())
        line += subject + ": ";
    return line + message;
}
