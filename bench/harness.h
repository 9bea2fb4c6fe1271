// A small benchmark harness: wall-clock samples, their median and spread, and aligned printing.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace bench {

double Now();  // seconds on the monotonic clock

struct Summary {
    size_t n = 0;
    double median = 0, p10 = 0, p90 = 0, min = 0, max = 0;
};
Summary Summarise(std::vector<double> samples);

void Title(const std::string& text);
// One line: a name, then the summary of samples in milliseconds.
void PrintMs(const std::string& name, const Summary& s);
// One line of free text under a name.
void PrintLine(const std::string& name, const std::string& value);
std::string Format(const char* fmt, ...) __attribute__((format(printf, 1, 2)));

std::vector<uint8_t> ReadFile(const std::string& path);
bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes);

// Peak resident set of this process, in MiB (VmHWM).
double PeakRssMiB();
// User plus system CPU time of this process, all threads, in seconds.
double CpuSeconds();

// The GL renderer's name (the framework window comes from tests/support/window.h).
std::string Renderer();

}  // namespace bench
