#include "map/MapProblem.hpp"

#include "i18n/Translator.hpp"

#include <utility>

MapProblem MapProblem::error(std::string subject, std::string message) {
    return {Severity::Error, std::move(subject), std::move(message), 0};
}

MapProblem MapProblem::warning(std::string subject, std::string message) {
    return {Severity::Warning, std::move(subject), std::move(message), 0};
}

MapProblem MapProblem::at(int fileLine) const {
    MapProblem placed = *this;
    placed.line = fileLine;
    return placed;
}

std::string MapProblem::format(const std::string& mapPath) const {
    std::string text = mapPath;
    if (line > 0) {
        text += ":" + std::to_string(line);
    }
    // TRANSLATORS: as a compiler marks its messages: "map.tmx:12: error: ...".
    text += ": " + (isError() ? tr("error") : tr("warning")) + ": ";
    if (!subject.empty()) {
        text += subject + ": ";
    }
    return text + message;
}
