#pragma once

#include <benchmark/benchmark.h>
#include <chrono>
#include <ctime>

// Times one region of a benchmark iteration, for benchmarks that use manual
// time because each iteration needs untimed preparation.
class RegionTimer {
public:
    RegionTimer() : start(std::chrono::steady_clock::now()) {}
    double seconds() const {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }

private:
    std::chrono::steady_clock::time_point start;
};

// CPU time of the whole process, every thread (a software renderer's included), from now on.
class ProcessCpuTimer {
public:
    ProcessCpuTimer() : start(now()) {}
    double seconds() const { return now() - start; }

private:
    static double now() {
        timespec time{};
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &time);
        return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_nsec) * 1e-9;
    }
    double start;
};

// The level every benchmark that needs one reads, relative to the folder of the executables.
inline const char* levelFile() {
    return "Assets/map.tmx";
}

// Closes the game window the in-game benchmarks share, before the program ends.
void closeLevelSession();
