// Shared set-up of the texture tests: a scratch folder, default filters, empty slot tables.
#pragma once
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "corvala/Corvala.h"
#include "platform/gl/gl.h"
#include "platform/gl/tracer/gltrace.h"
#include "platform/testing.h"
#include "tests/support/image_files.h"
#include "tests/support/temp_dir.h"

namespace texturetest {

using testsupport::Bytes;
using testsupport::Rgba;

class TextureTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = testsupport::temp_dir();
        corvala::GL_MIN_FILTER = GL_LINEAR;
        corvala::GL_MAG_FILTER = GL_LINEAR;
        std::memset(corvala::TEXTUREID2, 0, sizeof corvala::TEXTUREID2);
        std::memset(corvala::TEXTURETGA2, 0, sizeof corvala::TEXTURETGA2);
        win32::testing::ClearRecordedBoxes();
    }
    void TearDown() override {
        corvala::GL_MIN_FILTER = GL_LINEAR;
        corvala::GL_MAG_FILTER = GL_LINEAR;
        gltrace::stop();
    }
    // Writes the file and answers its path.
    std::string file(const std::string& name, const Bytes& data) {
        const std::string path = dir_ + "/" + name;
        testsupport::write_file(path, data);
        return path;
    }
    std::string missing() const { return dir_ + "/missing.file"; }

    std::string dir_;
};

// In a death test's child: the recorded boxes go to standard error as the child exits.
inline void print_boxes_at_exit() {
    std::atexit([] {
        for (const auto& b : win32::testing::RecordedBoxes())
            std::fprintf(stderr, "box [%s] %s\n", b.caption.c_str(), b.text.c_str());
    });
}

}  // namespace texturetest
