#pragma once

#include <SFML/Config.hpp>
#include <string>
#include <vector>

namespace assetgen {

class Random;

enum class Wave { Sine, Triangle, Pulse, Saw };

// One note. Every note rises from silence and falls back to silence inside its own duration, so notes
// can be laid end to end (or a track looped) without clicks.
struct Tone {
    double start = 0.0;    // seconds into the track
    double duration = 0.1; // seconds, release included
    double fromHz = 440.0; // the pitch glides linearly from fromHz to toHz
    double toHz = 440.0;
    Wave wave = Wave::Sine;
    double duty = 0.5; // share of the cycle that is high, Pulse only
    double amplitude = 0.3;
    double attack = 0.005;       // seconds of fade-in
    double release = 0.02;       // seconds of fade-out ending on the last sample
    double decayPerSecond = 0.0; // exponential fall while the note holds; 0 keeps it level
    double vibratoHz = 0.0;
    double vibratoDepth = 0.0; // as a share of the pitch, e.g. 0.01
};

// A burst of white noise through a one-pole filter whose cutoff sweeps over the burst.
struct NoiseBurst {
    double start = 0.0;
    double duration = 0.1;
    double amplitude = 0.3;
    double attack = 0.003;
    double release = 0.02;
    double decayPerSecond = 0.0;
    double fromCutoffHz = 4000.0;
    double toCutoffHz = 4000.0;
    bool highPass = false; // keep the hiss above the cutoff instead of the rumble below it
};

// A mono mixing buffer of floats at a fixed rate, written out as 16-bit PCM WAV.
class SampleTrack {
public:
    SampleTrack(unsigned sampleRate, double seconds);

    // Parts of a sound past the end of the track are cut off.
    void add(const Tone& tone);
    void add(const NoiseBurst& burst, Random& random);

    // Scales the whole track so that its loudest sample reaches `peak` (of full scale 1.0).
    void normalise(double peak);

    unsigned sampleRate() const { return rate; }
    const std::vector<float>& samples() const { return mix; }
    std::vector<sf::Int16> toPcm() const;

    // Writes a 16-bit mono WAV file (no audio device needed); on failure prints one line naming the file
    // and returns false.
    bool save(const std::string& path) const;

private:
    unsigned rate;
    std::vector<float> mix;

    std::size_t firstSample(double start) const;
    std::size_t sampleCount(double duration) const;
};

} // namespace assetgen
