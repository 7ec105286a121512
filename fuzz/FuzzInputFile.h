#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <unistd.h>

namespace sigmora::fuzz {

// Readers that take a path get the input through one scratch file per process.
inline std::string writeInputFile(std::string_view bytes, const char* extension)
{
    const std::string path = "/tmp/sigmora-fuzz-" + std::to_string(getpid()) + extension;
    if (std::FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
    }
    return path;
}

} // namespace sigmora::fuzz
