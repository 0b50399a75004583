#include "storage/GhostRun.hpp"

#include <cmath>
#include <cstdio>
#include <sstream>

namespace {
const char* const kHeader = "pellowick-ghost";
// Far outside any map the game loads; a position beyond it is damage, not a run.
constexpr float kFarthest = 1e6f;

bool readSample(const std::string& line, GhostRun::Sample& sample) {
    std::istringstream fields(line);
    int inside = -1;
    std::string rest;
    if (!(fields >> sample.position.x >> sample.position.y >> inside) || (fields >> rest)) {
        return false;
    }
    sample.inside = inside == 1;
    return (inside == 0 || inside == 1) && std::abs(sample.position.x) < kFarthest &&
           std::abs(sample.position.y) < kFarthest;
}
} // namespace

void GhostRun::record(double seconds, sf::Vector2f position, bool inside) {
    while (samples.size() < kMostSamples &&
           static_cast<double>(samples.size()) <= seconds * kSamplesPerSecond + 1e-6) {
        samples.push_back({position, inside});
    }
}

std::optional<GhostRun::Sample> GhostRun::at(double seconds) const {
    const double place = seconds * kSamplesPerSecond;
    if (samples.empty() || !(place >= 0.0) || place > static_cast<double>(samples.size() - 1) + 1e-6) {
        return std::nullopt;
    }
    const auto before = std::min(static_cast<std::size_t>(place), samples.size() - 1);
    const Sample& from = samples[before];
    if (before + 1 == samples.size() || samples[before + 1].inside != from.inside) {
        return from;
    }
    const Sample& to = samples[before + 1];
    const auto share = static_cast<float>(place - static_cast<double>(before));
    return Sample{from.position + (to.position - from.position) * share, from.inside};
}

std::string GhostRun::toText() const {
    std::string text = std::string(kHeader) + " " + std::to_string(kVersion) + "\nsamples " +
                       std::to_string(samples.size()) + "\n";
    char line[64];
    for (const Sample& sample : samples) {
        std::snprintf(line, sizeof line, "%.2f %.2f %d\n", sample.position.x, sample.position.y,
                      sample.inside ? 1 : 0);
        text += line;
    }
    return text;
}

std::optional<GhostRun> GhostRun::fromText(const std::string& text, std::string& problem) {
    std::istringstream lines(text);
    std::string header;
    int version = 0;
    std::string line;
    std::getline(lines, line);
    if (!(std::istringstream(line) >> header >> version) || header != kHeader) {
        problem = "is not a ghost of this game";
        return std::nullopt;
    }
    if (version != kVersion) {
        problem = "is a ghost of version " + std::to_string(version) + "; this game reads version " +
                  std::to_string(kVersion);
        return std::nullopt;
    }
    std::string word;
    long long count = -1;
    std::getline(lines, line);
    if (!(std::istringstream(line) >> word >> count) || word != "samples" || count < 1 ||
        count > static_cast<long long>(kMostSamples)) {
        problem = "line 2: needs \"samples N\" with N from 1 to " + std::to_string(kMostSamples);
        return std::nullopt;
    }
    GhostRun run;
    run.samples.reserve(static_cast<std::size_t>(count));
    for (long long i = 0; i < count; ++i) {
        Sample sample;
        if (!std::getline(lines, line) || !readSample(line, sample)) {
            problem = "line " + std::to_string(i + 3) + ": " +
                      (lines ? "needs \"x y inside\" with inside 0 or 1" : "the file ends early");
            return std::nullopt;
        }
        run.samples.push_back(sample);
    }
    if (lines >> word) {
        problem = "line " + std::to_string(count + 3) + ": more than the " + std::to_string(count) +
                  " samples it announces";
        return std::nullopt;
    }
    return run;
}
