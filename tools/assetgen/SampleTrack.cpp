#include "SampleTrack.hpp"

#include "Random.hpp"

#include <SFML/Audio/OutputSoundFile.hpp>
#include <SFML/System/Err.hpp>
#include <algorithm>
#include <cmath>

namespace assetgen {

namespace {

constexpr double kPi = 3.14159265358979323846;
// Harmonics above this share of the sample rate would fold back as harsh aliasing.
constexpr double kHighestHarmonicShare = 0.45;
constexpr int kMostHarmonics = 40;

// Raised-cosine ramp from 0 (at 0) to 1 (at 1): no corner at either end, hence no click.
double smoothRamp(double x) {
    const double clamped = std::clamp(x, 0.0, 1.0);
    return 0.5 - 0.5 * std::cos(kPi * clamped);
}

double envelope(std::size_t i, std::size_t count, unsigned rate, double attack, double release,
                double decayPerSecond) {
    const double t = static_cast<double>(i) / rate;
    const double end = static_cast<double>(count - 1) / rate;
    const double rise = attack > 0.0 ? smoothRamp(t / attack) : 1.0;
    const double fall = release > 0.0 ? smoothRamp((end - t) / release) : 1.0;
    return rise * fall * std::exp(-decayPerSecond * t);
}

// Band-limited waveforms built from their Fourier series, up to the harmonic the rate can carry.
double waveSample(Wave wave, double phase, double hz, double duty, unsigned rate) {
    const int harmonics = std::clamp(static_cast<int>(kHighestHarmonicShare * rate / hz), 1, kMostHarmonics);
    double value = 0.0;
    switch (wave) {
    case Wave::Sine:
        return std::sin(2.0 * kPi * phase);
    case Wave::Saw:
        for (int k = 1; k <= harmonics; ++k) {
            value += (k % 2 == 1 ? 1.0 : -1.0) * std::sin(2.0 * kPi * k * phase) / k;
        }
        return value * 2.0 / kPi;
    case Wave::Triangle:
        for (int k = 1; k <= harmonics; k += 2) {
            value += ((k / 2) % 2 == 0 ? 1.0 : -1.0) * std::sin(2.0 * kPi * k * phase) / (k * k);
        }
        return value * 8.0 / (kPi * kPi);
    case Wave::Pulse:
        for (int k = 1; k <= harmonics; ++k) {
            value += std::sin(kPi * k * duty) * std::cos(2.0 * kPi * k * (phase - duty / 2.0)) / k;
        }
        return value * 4.0 / kPi;
    }
    return 0.0;
}

} // namespace

SampleTrack::SampleTrack(unsigned sampleRate, double seconds)
    : rate(sampleRate), mix(static_cast<std::size_t>(std::lround(seconds * sampleRate)), 0.f) {}

std::size_t SampleTrack::firstSample(double start) const {
    return static_cast<std::size_t>(std::lround(std::max(0.0, start) * rate));
}

std::size_t SampleTrack::sampleCount(double duration) const {
    return static_cast<std::size_t>(std::lround(std::max(0.0, duration) * rate));
}

void SampleTrack::add(const Tone& tone) {
    const std::size_t first = firstSample(tone.start);
    const std::size_t count = sampleCount(tone.duration);
    double phase = 0.0;
    for (std::size_t i = 0; i < count && first + i < mix.size(); ++i) {
        const double t = static_cast<double>(i) / rate;
        const double progress = count > 1 ? static_cast<double>(i) / (count - 1) : 0.0;
        double hz = tone.fromHz + (tone.toHz - tone.fromHz) * progress;
        hz *= 1.0 + tone.vibratoDepth * std::sin(2.0 * kPi * tone.vibratoHz * t);
        const double gain =
            tone.amplitude * envelope(i, count, rate, tone.attack, tone.release, tone.decayPerSecond);
        mix[first + i] += static_cast<float>(gain * waveSample(tone.wave, phase, hz, tone.duty, rate));
        phase = std::fmod(phase + hz / rate, 1.0);
    }
}

void SampleTrack::add(const NoiseBurst& burst, Random& random) {
    const std::size_t first = firstSample(burst.start);
    const std::size_t count = sampleCount(burst.duration);
    double lowPassed = 0.0;
    for (std::size_t i = 0; i < count && first + i < mix.size(); ++i) {
        const double progress = count > 1 ? static_cast<double>(i) / (count - 1) : 0.0;
        const double cutoff = burst.fromCutoffHz + (burst.toCutoffHz - burst.fromCutoffHz) * progress;
        const double smoothing = 1.0 - std::exp(-2.0 * kPi * cutoff / rate);
        const double white = random.range(-1.0, 1.0);
        lowPassed += smoothing * (white - lowPassed);
        const double filtered = burst.highPass ? white - lowPassed : lowPassed;
        const double gain =
            burst.amplitude * envelope(i, count, rate, burst.attack, burst.release, burst.decayPerSecond);
        mix[first + i] += static_cast<float>(gain * filtered);
    }
}

void SampleTrack::normalise(double peak) {
    float loudest = 0.f;
    for (float sample : mix) {
        loudest = std::max(loudest, std::abs(sample));
    }
    if (loudest <= 0.f) {
        return;
    }
    const float scale = static_cast<float>(peak) / loudest;
    for (float& sample : mix) {
        sample *= scale;
    }
}

std::vector<sf::Int16> SampleTrack::toPcm() const {
    std::vector<sf::Int16> pcm(mix.size());
    std::transform(mix.begin(), mix.end(), pcm.begin(), [](float sample) {
        return static_cast<sf::Int16>(std::lround(std::clamp(sample, -1.f, 1.f) * 32767.f));
    });
    return pcm;
}

bool SampleTrack::save(const std::string& path) const {
    // Written through a sound file rather than a sound buffer, which would need an audio device.
    const std::vector<sf::Int16> pcm = toPcm();
    sf::OutputSoundFile file;
    if (!file.openFromFile(path, rate, 1)) {
        sf::err() << "pellowick-assetgen: could not write the sound " << path << std::endl;
        return false;
    }
    file.write(pcm.data(), pcm.size());
    return true;
}

} // namespace assetgen
