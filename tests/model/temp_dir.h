// A scratch folder for the files a test writes; removed with everything in it when the test ends.
#pragma once
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace modeltest {

class TempDir {
public:
    TempDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "crvl-model-XXXXXX").string();
        path_ = ::mkdtemp(pattern.data()) ? pattern : std::string();
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }

    std::string write(const std::string& name, const std::vector<uint8_t>& bytes) const {
        std::ofstream out(file(name), std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        return file(name);
    }
    std::string write(const std::string& name, const std::string& text) const {
        std::ofstream out(file(name), std::ios::binary);
        out << text;
        return file(name);
    }

private:
    std::string path_;
};

}  // namespace modeltest
