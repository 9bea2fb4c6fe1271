#include "bench/harness.h"

#include <sys/resource.h>
#include <time.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <fstream>
#include <iterator>

#include "platform/gl/gl.h"

namespace bench {

double Now() {
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) * 1e-9;
}

Summary Summarise(std::vector<double> v) {
    Summary s;
    s.n = v.size();
    if (v.empty()) return s;
    std::sort(v.begin(), v.end());
    // Nearest rank: plain and good enough at a thousand samples.
    auto rank = [&](double q) { return v[std::min(v.size() - 1, size_t(q * double(v.size() - 1) + 0.5))]; };
    s.median = rank(0.5);
    s.p10 = rank(0.1);
    s.p90 = rank(0.9);
    s.min = v.front();
    s.max = v.back();
    return s;
}

void Title(const std::string& text) { std::printf("\n== %s\n", text.c_str()); }

void PrintMs(const std::string& name, const Summary& s) {
    std::printf("  %-56s median %8.3f ms   p10 %8.3f   p90 %8.3f   max %8.3f   (n=%zu)\n", name.c_str(), s.median * 1e3,
                s.p10 * 1e3, s.p90 * 1e3, s.max * 1e3, s.n);
    std::fflush(stdout);
}

void PrintLine(const std::string& name, const std::string& value) {
    std::printf("  %-56s %s\n", name.c_str(), value.c_str());
    std::fflush(stdout);
}

std::string Format(const char* fmt, ...) {
    char buf[512];
    va_list ap;
    va_start(ap, fmt);
    std::vsnprintf(buf, sizeof buf, fmt, ap);
    va_end(ap);
    return buf;
}

std::vector<uint8_t> ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return bool(out);
}

double PeakRssMiB() {
    std::ifstream in("/proc/self/status");
    for (std::string line; std::getline(in, line);)
        if (line.rfind("VmHWM:", 0) == 0) return std::stod(line.substr(6)) / 1024.0;
    rusage ru{};
    getrusage(RUSAGE_SELF, &ru);
    return double(ru.ru_maxrss) / 1024.0;
}

double CpuSeconds() {
    rusage ru{};
    getrusage(RUSAGE_SELF, &ru);
    return double(ru.ru_utime.tv_sec + ru.ru_stime.tv_sec) + double(ru.ru_utime.tv_usec + ru.ru_stime.tv_usec) * 1e-6;
}

std::string Renderer() {
    const auto* r = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
    return r ? r : "(no context)";
}

}  // namespace bench
