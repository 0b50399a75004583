#include "MusicLoop.hpp"

#include "Random.hpp"

#include <algorithm>
#include <cmath>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace assetgen {

namespace {

constexpr unsigned kSampleRate = 22050;
constexpr double kBeatSeconds = 0.5; // 120 beats a minute: a beat is exactly 11025 samples
constexpr int kBeatsPerBar = 4;
constexpr int kBars = 16;
constexpr double kLoopSeconds = kBars * kBeatsPerBar * kBeatSeconds;

// Four bars repeat four times: Am, F, C, G, which leads back to Am across the loop point.
struct Chord {
    double rootHz;
    int third; // semitones above the root
};
const Chord kChords[4] = {{110.0, 3}, {87.307, 4}, {130.813, 4}, {97.999, 4}};

// The lead line, as "note:beats" ("r" rests). Sections A, A', B (higher) and A''.
const char* const kMelody = "E5:1 A4:0.5 C5:0.5 E5:1 D5:0.5 C5:0.5 | C5:1 A4:0.5 F4:0.5 A4:1.5 r:0.5 |"
                            "G4:0.5 C5:0.5 E5:0.5 G5:0.5 E5:1 C5:1 | D5:1.5 B4:0.5 G4:1 r:1 |"
                            "E5:1 A4:0.5 C5:0.5 E5:1 G5:0.5 E5:0.5 | F5:1 E5:0.5 D5:0.5 C5:1.5 r:0.5 |"
                            "E5:0.5 D5:0.5 C5:0.5 D5:0.5 E5:1 G5:1 | D5:2 B4:1 r:1 |"
                            "A5:1.5 G5:0.5 E5:1 C5:1 | F5:1.5 E5:0.5 C5:1 A4:1 |"
                            "G5:1 E5:0.5 G5:0.5 C6:1 B5:0.5 A5:0.5 | G5:1 F5:0.5 D5:0.5 B4:1 r:1 |"
                            "E5:1 A4:0.5 C5:0.5 E5:1 D5:0.5 C5:0.5 | C5:1 A4:0.5 F4:0.5 A4:1 C5:1 |"
                            "E5:0.5 G5:0.5 E5:0.5 C5:0.5 D5:1 E5:1 | D5:1 B4:0.5 G4:0.5 B4:1 r:1 |";

double semitonesUp(double hz, double semitones) {
    return hz * std::pow(2.0, semitones / 12.0);
}

// "A4" is 440 Hz; "C#5" and "Bb3" take a sharp or flat.
double noteHz(const std::string& name) {
    static const int kLetterSemitones[7] = {9, 11, 0, 2, 4, 5, 7}; // A B C D E F G above C
    const int letter = name.at(0) - 'A';
    if (letter < 0 || letter > 6) {
        throw std::logic_error("unknown note " + name);
    }
    std::size_t next = 1;
    int semitone = kLetterSemitones[letter];
    if (name.at(next) == '#' || name.at(next) == 'b') {
        semitone += name.at(next) == '#' ? 1 : -1;
        ++next;
    }
    const int octave = std::stoi(name.substr(next));
    const int midi = 12 * (octave + 1) + semitone;
    return 440.0 * std::pow(2.0, (midi - 69) / 12.0);
}

void addLead(SampleTrack& track) {
    std::string bars = kMelody;
    std::replace(bars.begin(), bars.end(), '|', ' ');
    std::istringstream score(bars);
    std::string token;
    double beat = 0.0;
    while (score >> token) {
        const std::size_t colon = token.find(':');
        const double beats = std::stod(token.substr(colon + 1));
        const std::string note = token.substr(0, colon);
        if (note != "r") {
            Tone lead;
            lead.start = beat * kBeatSeconds;
            lead.duration = beats * kBeatSeconds * 0.92; // slightly detached, like a plucked line
            lead.fromHz = lead.toHz = noteHz(note);
            lead.wave = Wave::Pulse;
            lead.duty = 0.25;
            lead.amplitude = 0.2;
            lead.attack = 0.01;
            lead.release = 0.05;
            lead.decayPerSecond = 1.2;
            lead.vibratoHz = 5.5;
            lead.vibratoDepth = 0.004;
            track.add(lead);
        }
        beat += beats;
    }
    if (std::abs(beat - kBars * kBeatsPerBar) > 1e-9) {
        throw std::logic_error("the melody lasts " + std::to_string(beat) + " beats instead of " +
                               std::to_string(kBars * kBeatsPerBar));
    }
}

void addBass(SampleTrack& track) {
    const int eighthPattern[8] = {0, 0, 7, 0, 12, 0, 7, 0};
    for (int bar = 0; bar < kBars; ++bar) {
        const Chord& chord = kChords[bar % 4];
        for (int eighth = 0; eighth < 8; ++eighth) {
            Tone bass;
            bass.start = (bar * kBeatsPerBar + eighth * 0.5) * kBeatSeconds;
            bass.duration = 0.5 * kBeatSeconds * 0.85;
            bass.fromHz = bass.toHz = semitonesUp(chord.rootHz, eighthPattern[eighth]);
            bass.wave = Wave::Triangle;
            bass.amplitude = 0.34;
            bass.attack = 0.006;
            bass.release = 0.04;
            track.add(bass);
        }
    }
}

// Sixteenth-note chord sparkle in the second half, so the tune builds before it loops.
void addArpeggio(SampleTrack& track) {
    for (int bar = kBars / 2; bar < kBars; ++bar) {
        const Chord& chord = kChords[bar % 4];
        const int tones[4] = {24, 24 + chord.third, 31, 36};
        for (int sixteenth = 0; sixteenth < 16; ++sixteenth) {
            Tone sparkle;
            sparkle.start = (bar * kBeatsPerBar + sixteenth * 0.25) * kBeatSeconds;
            sparkle.duration = 0.25 * kBeatSeconds * 0.8;
            sparkle.fromHz = sparkle.toHz = semitonesUp(chord.rootHz, tones[sixteenth % 4]);
            sparkle.wave = Wave::Pulse;
            sparkle.duty = 0.125;
            sparkle.amplitude = 0.05;
            sparkle.attack = 0.003;
            sparkle.release = 0.03;
            track.add(sparkle);
        }
    }
}

void addDrums(SampleTrack& track) {
    Random random(0xB0B);
    for (int beat = 0; beat < kBars * kBeatsPerBar; ++beat) {
        const double start = beat * kBeatSeconds;
        if (beat % 2 == 0) {
            Tone kick;
            kick.start = start;
            kick.duration = 0.14;
            kick.fromHz = 130.0;
            kick.toHz = 45.0;
            kick.amplitude = 0.45;
            kick.attack = 0.002;
            kick.release = 0.06;
            kick.decayPerSecond = 10.0;
            track.add(kick);
        } else if (beat >= kBars * kBeatsPerBar / 2) {
            NoiseBurst snare;
            snare.start = start;
            snare.duration = 0.12;
            snare.amplitude = 0.16;
            snare.fromCutoffHz = snare.toCutoffHz = 3000.0;
            snare.decayPerSecond = 25.0;
            snare.release = 0.05;
            track.add(snare, random);
        }
        NoiseBurst hat;
        hat.start = start + kBeatSeconds / 2.0;
        hat.duration = 0.05;
        hat.amplitude = 0.12;
        hat.fromCutoffHz = hat.toCutoffHz = 7000.0;
        hat.highPass = true;
        hat.attack = 0.001;
        hat.release = 0.03;
        hat.decayPerSecond = 40.0;
        track.add(hat, random);
    }
}

} // namespace

SampleTrack musicLoop() {
    SampleTrack track(kSampleRate, kLoopSeconds);
    addLead(track);
    addBass(track);
    addArpeggio(track);
    addDrums(track);
    track.normalise(0.7);
    return track;
}

} // namespace assetgen
