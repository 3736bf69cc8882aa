// pyx-samplegen OUTDIR: writes the sample test files and their README into OUTDIR.
// pyx-samplegen --bench OUTDIR: writes the inputs of the benchmarks into OUTDIR.

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "sample_files.h"

namespace {

bool writeFile(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
        std::fprintf(stderr, "pyx-samplegen: cannot write %s\n", path.c_str());
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    constexpr const char* kUsage = "usage: pyx-samplegen [--bench] OUTDIR\n";
    if (argc == 2 && (std::string(argv[1]) == "--help" || std::string(argv[1]) == "-h")) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    const bool bench = argc == 3 && std::string(argv[1]) == "--bench";
    // An option it does not know is not taken for a folder to write into.
    if ((argc != 2 && !bench) || argv[argc - 1][0] == '-') {
        std::fputs(kUsage, stderr);
        return 2;
    }
    const std::string dir = argv[argc - 1];
    if (bench) {
        bool ok = true;
        for (const auto& input : pyx::samples::benchInputs())
            ok = writeFile(dir + "/" + input.name, input.bytes) && ok;
        return ok ? 0 : 1;
    }
    std::string readme =
        "# Sample test files\n\nWritten by `pyx-samplegen samples` (tools/samplegen); regenerate "
        "them with it instead of editing them.\n\n";
    bool ok = true;
    for (const auto& sample : pyx::samples::standardSamples()) {
        ok = writeFile(dir + "/" + sample.name, sample.bytes) && ok;
        readme += "- `" + sample.name + "`: " + sample.description + ".\n";
    }
    ok = writeFile(dir + "/README.md", readme) && ok;
    // The piles of one unit project, in a folder of their own for the statistics of several piles.
    const std::string unit = dir + "/unit";
    std::error_code ec;
    std::filesystem::create_directories(unit, ec);
    std::string unitReadme =
        "# Six piles of one unit project\n\nWritten by `pyx-samplegen samples` with the marks "
        "set; `pyx-cli stats samples/unit/SZ-*` shows their statistics.\n\n";
    for (const auto& sample : pyx::samples::unitSamples()) {
        ok = writeFile(unit + "/" + sample.name, sample.bytes) && ok;
        unitReadme += "- `" + sample.name + "`: " + sample.description + ".\n";
    }
    ok = writeFile(unit + "/README.md", unitReadme) && ok;
    return ok ? 0 : 1;
}
