#pragma once
// The entries of a zip archive (a .docx or .xlsx package) read in memory.

#include <zip.h>

#include <map>
#include <string>

namespace pyx::test {

// The entries of a zip archive in memory; empty when it is not one.
inline std::map<std::string, std::string> unzip(const std::string& bytes)
{
    std::map<std::string, std::string> out;
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* src = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error);
    zip_t* z = src ? zip_open_from_source(src, ZIP_RDONLY, &error) : nullptr;
    if (!z) {
        if (src)
            zip_source_free(src);
        zip_error_fini(&error);
        return out;
    }
    for (zip_int64_t i = 0; i < zip_get_num_entries(z, 0); ++i) {
        zip_stat_t st;
        zip_stat_index(z, static_cast<zip_uint64_t>(i), 0, &st);
        std::string data(static_cast<std::size_t>(st.size), '\0');
        zip_file_t* f = zip_fopen_index(z, static_cast<zip_uint64_t>(i), 0);
        zip_fread(f, data.data(), st.size);
        zip_fclose(f);
        out[st.name] = data;
    }
    zip_close(z);
    zip_error_fini(&error);
    return out;
}

} // namespace pyx::test
