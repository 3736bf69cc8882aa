#pragma once
// A temporary folder for one test, removed with everything in it at the end. Paths are UTF-8.

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "base/utf8_path.h"

namespace pyx::test {

class TempDir
{
public:
    TempDir()
    {
        std::random_device seed;
        std::mt19937_64 random(seed());
        const auto base = std::filesystem::temp_directory_path();
        for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
            const auto candidate = base / ("pyx-test-" + std::to_string(random() % 1000000000000ULL));
            std::error_code ec;
            if (std::filesystem::create_directory(candidate, ec))
                path_ = utf8String(candidate);
        }
    }
    ~TempDir()
    {
        std::error_code ec;
        std::filesystem::remove_all(utf8Path(path_), ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    std::string file(const std::string& name) const { return path_ + "/" + name; }

    std::string write(const std::string& name, const std::string& bytes) const
    {
        const std::string p = file(name);
        std::ofstream(utf8Path(p), std::ios::binary) << bytes;
        return p;
    }

    static std::string read(const std::string& path)
    {
        std::ifstream in(utf8Path(path), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

private:
    std::string path_;
};

} // namespace pyx::test
