#pragma once
// The fuzzer's bytes as a file of this process's own (in /dev/shm where it can be), for code that reads files.
#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

// Writes the bytes to path, replacing what was there; false when they cannot be written.
inline bool WriteFuzzInput(const std::string& path, const std::uint8_t* data, std::size_t size)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    const bool written = size == 0 || std::fwrite(data, 1, size, file) == size;
    return std::fclose(file) == 0 && written;
}

// A file of this process's own: /dev/shm/NAME_PID, or in /tmp.
inline std::string FuzzInputPath(const std::string& name)
{
    const char* folder = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    return std::string(folder) + "/" + name + "_" + std::to_string(getpid());
}
