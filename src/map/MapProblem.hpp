#pragma once

#include <string>

// One finding about a level: errors make the map unplayable, warnings point at likely mistakes.
struct MapProblem {
    enum class Severity { Error, Warning };

    Severity severity = Severity::Error;
    std::string subject; // object, layer or tileset name the problem is about (may be empty)
    std::string message;
    int line = 0; // line of the map file the problem lies on; 0 when it has no single place

    static MapProblem error(std::string subject, std::string message);
    static MapProblem warning(std::string subject, std::string message);

    bool isError() const { return severity == Severity::Error; }
    // The same problem, placed on a line of the map file.
    MapProblem at(int fileLine) const;

    // One line for the error stream, in the form editors and terminals jump to:
    // "<mapPath>:<line>: error: <subject>: <message>", without ":<line>" when the problem has no place.
    std::string format(const std::string& mapPath) const;
};
