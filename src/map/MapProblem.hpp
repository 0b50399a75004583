#pragma once

#include <string>

// One finding about a level: errors make the map unplayable, warnings point at likely mistakes.
struct MapProblem {
    enum class Severity { Error, Warning };

    Severity severity = Severity::Error;
    std::string subject; // object, layer or tileset name the problem is about (may be empty)
    std::string message;

    static MapProblem error(std::string subject, std::string message);
    static MapProblem warning(std::string subject, std::string message);

    bool isError() const { return severity == Severity::Error; }

    // One line for the error stream: "<mapPath>: error: <subject>: <message>".
    std::string format(const std::string& mapPath) const;
};
