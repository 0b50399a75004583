#pragma once

#include <SFML/System/Vector2.hpp>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// A run of a level as the player moved through it: where they were, and whether inside the building, at a
// fixed rate on the level's clock. Recorded as the player plays, kept when the run is a new best, and
// replayed as the ghost the player races on later attempts.
class GhostRun {
public:
    static constexpr double kSamplesPerSecond = 30.0;
    // Half an hour: a longer run keeps its first half hour, and no file the game reads holds more.
    static constexpr std::size_t kMostSamples = 30 * 60 * 30;
    static constexpr int kVersion = 1;

    struct Sample {
        sf::Vector2f position; // the player's top-left corner in the level
        bool inside = false;
    };

    // Takes the player's place at clock time `seconds` for every sample due by then (a long frame repeats
    // it rather than leave a gap).
    void record(double seconds, sf::Vector2f position, bool inside);
    // Where the run was at `seconds`: between the samples either side (the earlier one's when the run went
    // in or out between them); nothing before the start or after the last sample.
    std::optional<Sample> at(double seconds) const;
    std::size_t size() const { return samples.size(); }
    bool empty() const { return samples.empty(); }

    // The file's text: a version line, the count, then a sample a line.
    std::string toText() const;
    // The run in `text`, or nothing with `problem` set to one line saying what is wrong.
    static std::optional<GhostRun> fromText(const std::string& text, std::string& problem);

private:
    std::vector<Sample> samples;
};
