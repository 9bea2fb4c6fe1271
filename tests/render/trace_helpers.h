// Shorthands for asserting exact GL call sequences recorded by the tracer.
#pragma once
#include <initializer_list>
#include <string>
#include <vector>

#include "platform/gl/tracer/gltrace.h"

namespace rendertest {

using Seq = std::vector<std::string>;

// One expected call, formatted like the tracer formats recorded ones ("glEnable(2896)").
inline std::string C(const char* name, std::initializer_list<double> args = {}) {
    gltrace::Call c;
    c.name = name;
    for (double a : args) c.args.push_back(a + 0.0);
    return gltrace::format(c);
}

// Recorded calls formatted; -0 prints as 0 (a normal computed as -0 is still along the axis).
inline Seq Recorded() {
    Seq out;
    for (gltrace::Call c : gltrace::calls()) {
        for (double& a : c.args) a += 0.0;
        out.push_back(gltrace::format(c));
    }
    return out;
}

// Records what fn calls and returns it formatted.
template <typename Fn>
Seq Trace(Fn fn) {
    gltrace::Scope scope;
    fn();
    return Recorded();
}

}  // namespace rendertest
