#include "SoundEffects.hpp"

#include "Random.hpp"

namespace assetgen {
namespace SoundEffects {

namespace {

Tone tone(double start, double duration, double fromHz, double toHz, Wave wave, double amplitude) {
    Tone t;
    t.start = start;
    t.duration = duration;
    t.fromHz = fromHz;
    t.toHz = toHz;
    t.wave = wave;
    t.amplitude = amplitude;
    return t;
}

NoiseBurst noise(double start, double duration, double amplitude, double fromCutoffHz, double toCutoffHz) {
    NoiseBurst n;
    n.start = start;
    n.duration = duration;
    n.amplitude = amplitude;
    n.fromCutoffHz = fromCutoffHz;
    n.toCutoffHz = toCutoffHz;
    return n;
}

constexpr double kPeak = 0.85;

} // namespace

SampleTrack button() {
    SampleTrack track(kSampleRate, 0.1);
    Tone low = tone(0.0, 0.05, 1320.0, 1320.0, Wave::Triangle, 0.5);
    low.attack = 0.002;
    low.release = 0.03;
    low.decayPerSecond = 30.0;
    Tone high = tone(0.035, 0.06, 1980.0, 1980.0, Wave::Sine, 0.4);
    high.attack = 0.002;
    high.release = 0.04;
    high.decayPerSecond = 30.0;
    track.add(low);
    track.add(high);
    track.normalise(kPeak);
    return track;
}

SampleTrack death() {
    Random random(0xDEAD);
    SampleTrack track(kSampleRate, 0.95);
    NoiseBurst snap = noise(0.0, 0.07, 0.6, 3200.0, 900.0);
    snap.attack = 0.002;
    snap.release = 0.04;
    track.add(snap, random);
    const double steps[][2] = {{0.08, 392.0}, {0.24, 369.99}, {0.40, 349.23}};
    for (const auto& step : steps) {
        Tone wah = tone(step[0], 0.15, step[1], step[1] * 0.985, Wave::Saw, 0.3);
        wah.attack = 0.015;
        wah.release = 0.05;
        track.add(wah);
    }
    Tone fall = tone(0.56, 0.38, 329.63, 247.0, Wave::Saw, 0.32);
    fall.attack = 0.015;
    fall.release = 0.18;
    fall.vibratoHz = 6.0;
    fall.vibratoDepth = 0.02;
    track.add(fall);
    track.normalise(kPeak);
    return track;
}

SampleTrack egg() {
    Random random(0xE66);
    SampleTrack track(kSampleRate, 0.18);
    Tone plop = tone(0.0, 0.16, 620.0, 170.0, Wave::Sine, 0.8);
    plop.attack = 0.003;
    plop.release = 0.06;
    plop.decayPerSecond = 8.0;
    Tone overtone = plop;
    overtone.fromHz *= 2.0;
    overtone.toHz *= 2.0;
    overtone.amplitude = 0.15;
    NoiseBurst tap = noise(0.0, 0.03, 0.15, 2500.0, 2500.0);
    tap.attack = 0.002;
    tap.release = 0.02;
    track.add(plop);
    track.add(overtone);
    track.add(tap, random);
    track.normalise(kPeak);
    return track;
}

SampleTrack formula() {
    Random random(0xF0A);
    SampleTrack track(kSampleRate, 0.78);
    const double bells[] = {880.0, 1108.73, 1318.51, 1760.0}; // A major, rising
    for (int i = 0; i < 4; ++i) {
        Tone bell = tone(0.08 * i, 0.5, bells[i], bells[i], Wave::Sine, 0.35);
        bell.attack = 0.004;
        bell.release = 0.15;
        bell.decayPerSecond = 6.0;
        Tone ring = bell;
        ring.fromHz = ring.toHz = bells[i] * 2.0;
        ring.amplitude = 0.08;
        track.add(bell);
        track.add(ring);
    }
    NoiseBurst shimmer = noise(0.0, 0.6, 0.06, 6000.0, 6000.0);
    shimmer.highPass = true;
    shimmer.attack = 0.1;
    shimmer.release = 0.3;
    track.add(shimmer, random);
    track.normalise(kPeak);
    return track;
}

SampleTrack victory() {
    SampleTrack track(kSampleRate, 0.9);
    const double notes[] = {523.25, 659.26, 783.99};
    for (int i = 0; i < 3; ++i) {
        Tone step = tone(0.13 * i, 0.12, notes[i], notes[i], Wave::Pulse, 0.3);
        step.release = 0.03;
        track.add(step);
    }
    Tone top = tone(0.39, 0.5, 1046.5, 1046.5, Wave::Pulse, 0.3);
    top.release = 0.2;
    top.vibratoHz = 6.0;
    top.vibratoDepth = 0.008;
    Tone under = tone(0.39, 0.5, 261.63, 261.63, Wave::Triangle, 0.45);
    under.release = 0.2;
    Tone fifth = under;
    fifth.fromHz = fifth.toHz = 392.0;
    fifth.amplitude = 0.25;
    track.add(top);
    track.add(under);
    track.add(fifth);
    track.normalise(kPeak);
    return track;
}

SampleTrack shoot() {
    Random random(0x5400);
    SampleTrack track(kSampleRate, 0.3);
    NoiseBurst swish = noise(0.0, 0.28, 0.6, 600.0, 6000.0);
    swish.attack = 0.02;
    swish.release = 0.12;
    Tone rise = tone(0.0, 0.22, 280.0, 900.0, Wave::Triangle, 0.25);
    rise.attack = 0.01;
    rise.release = 0.08;
    track.add(swish, random);
    track.add(rise);
    track.normalise(kPeak);
    return track;
}

SampleTrack alarm() {
    SampleTrack track(kSampleRate, 0.36);
    // Two quick rising barks of a square wave, high enough to cut through the music.
    for (int i = 0; i < 2; ++i) {
        Tone bark = tone(0.17 * i, 0.14, 700.0, 1050.0, Wave::Pulse, 0.35);
        bark.attack = 0.004;
        bark.release = 0.04;
        track.add(bark);
    }
    track.normalise(kPeak);
    return track;
}

} // namespace SoundEffects
} // namespace assetgen
