// pyx-samplegen OUTDIR: writes the sample test files and their README into OUTDIR.

#include <cstdio>
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
    if (argc != 2) {
        std::fputs("usage: pyx-samplegen OUTDIR\n", stderr);
        return 2;
    }
    const std::string dir = argv[1];
    std::string readme =
        "# Sample test files\n\nWritten by `pyx-samplegen samples` (tools/samplegen); regenerate "
        "them with it instead of editing them.\n\n";
    bool ok = true;
    for (const auto& sample : pyx::samples::standardSamples()) {
        ok = writeFile(dir + "/" + sample.name, sample.bytes) && ok;
        readme += "- `" + sample.name + "`: " + sample.description + ".\n";
    }
    ok = writeFile(dir + "/README.md", readme) && ok;
    return ok ? 0 : 1;
}
