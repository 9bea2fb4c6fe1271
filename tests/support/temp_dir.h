// Scratch folders for the files a test or benchmark writes. Header-only, so benchmarks use it too.
#pragma once
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

namespace testsupport {

// A fresh folder under the system's temporary folder, removed with everything in it when this goes.
class TempDir {
public:
    TempDir() {
#ifdef _WIN32
        // No mkdtemp there: a random name, taken only if the folder is new.
        std::random_device random;
        for (int tries = 0; tries < 100 && path_.empty(); ++tries) {
            const auto name = std::filesystem::temp_directory_path() /
                              ("wobblefin-test-" + std::to_string(random()) + std::to_string(random()));
            std::error_code e;
            if (std::filesystem::create_directory(name, e)) path_ = name.generic_string();
        }
        if (path_.empty()) throw std::runtime_error("cannot make a temporary folder");
#else
        std::string pattern = (std::filesystem::temp_directory_path() / "wobblefin-test-XXXXXX").string();
        if (!::mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
        path_ = pattern;
#endif
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }

    std::string write(const std::string& name, const std::vector<uint8_t>& bytes) const {
        std::ofstream out(file(name), std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        if (!out) throw std::runtime_error("cannot write " + file(name));
        return file(name);
    }
    std::string write(const std::string& name, const std::string& text) const {
        return write(name, std::vector<uint8_t>(text.begin(), text.end()));
    }

private:
    std::string path_;
};

// A folder that lasts until the program ends (it goes at exit, std::exit included).
inline std::string temp_dir() {
    static std::vector<std::unique_ptr<TempDir>> made;
    made.push_back(std::make_unique<TempDir>());
    return made.back()->path();
}

}  // namespace testsupport
