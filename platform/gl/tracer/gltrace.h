// GL call tracer, what tests see of it: every GL and GLU entry point the framework uses (traced.h) is
// recorded with its arguments, and passed on to the GL beneath when a context is current (otherwise only
// recorded, with made-up names and zero answers).
#pragma once
#include <string>
#include <vector>

namespace gltrace {

struct Call {
    std::string name;
    std::vector<double> args;   // scalars in order; arrays passed by pointer are expanded (glLightfv: 4 values)
    const void* ptr = nullptr;  // data pointer of glTexImage2D / gluBuild2DMipmaps / glSelectBuffer, if any
};

void start();  // clear and start recording
void stop();   // stop recording (what was recorded stays)
void clear();
const std::vector<Call>& calls();
std::vector<std::string> names();                  // just the names, in order
std::vector<Call> named(const std::string& name);  // only the calls of one entry point
std::string format(const Call& c);                 // "glBegin(7)"
std::string dump();                                // every recorded call, one a line
bool context_current();

// Records while alive; stops recording on destruction.
struct Scope {
    Scope() { start(); }
    ~Scope() { stop(); }
};

}  // namespace gltrace
