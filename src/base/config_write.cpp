#include <filesystem>
#include <system_error>

#include "base/config_file.h"
#include "base/file_io.h"
#include "base/utf8_path.h"

namespace pyx {

IoResult writeConfigFile(const std::string& path, const std::string& bytes)
{
    // A folder that cannot be made is told by the write that follows.
    std::error_code ec;
    const std::filesystem::path parent = utf8Path(path).parent_path();
    if (!parent.empty())
        std::filesystem::create_directories(parent, ec);
    return writeFileAtomic(path, bytes);
}

} // namespace pyx
