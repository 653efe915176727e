#pragma once
#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>

// A file written under a name of its own beside its target, which takes the target's place only when it is
// complete: an existing file is never cut short, and a write that fails (a full disk, a read-only folder) or
// is interrupted leaves nothing behind. Errors name the target and the system's reason.
class ReplacingFile {
public:
    explicit ReplacingFile(std::string target);
    ~ReplacingFile(); // a file not committed is removed
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    // Creates the file beside the target; false with Error() when it cannot be.
    bool Open();
    bool Write(const void* data, size_t size);
    bool Write(std::string_view bytes) { return Write(bytes.data(), bytes.size()); }
    // For a writer that opens TemporaryPath itself: the name is taken and cleaned up, nothing is created.
    void Reserve();
    // Closes the file and puts it in the target's place; false with Error() (and nothing left) otherwise.
    bool Commit();

    const std::string& Target() const { return target_; }
    const std::string& TemporaryPath() const { return temporary_; }
    // "cannot write TARGET: reason"; empty while all went well.
    const std::string& Error() const { return error_; }

private:
    bool Fail(int errorNumber);
    void Discard();

    std::string target_;
    std::string temporary_;
    std::FILE* file_ = nullptr;
    bool pending_ = false;
    std::string error_;
};

// Writes the bytes as the whole file at path, as above; false with "cannot write PATH: reason".
bool WriteFileReplacing(const std::string& path, std::string_view bytes, std::string& error);

// "cannot write PATH: reason" for the C library's error number.
std::string WriteErrorText(const std::string& path, int errorNumber);
