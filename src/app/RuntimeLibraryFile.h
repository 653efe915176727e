#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// The project's runtime library files go into the system directory under names taken from the project
// database. A name must stay a plain file name there, and a project must never replace a system file.

// True for a plain file name: no separator, drive, "..", wildcard or control character, not a device name
// (CON, PRN, AUX, NUL, COM1-9, LPT1-9, with or without extension), not ending in a blank or a dot.
bool IsPlainLibraryFileName(const std::string& name);

enum class LibraryWrite {
    Written,      // a new file was made
    AlreadyThere, // a file with the same content was there and is left as it is
    Refused,      // the name is not a plain file name
    Conflict,     // a different file of that name is there; it is left untouched
    Failed,       // the file could not be written (nothing is left behind)
};

// Writes one library file into directory (which ends with a separator).
LibraryWrite WriteRuntimeLibraryFile(const std::string& directory, const std::string& name, const uint8_t* data,
                                     size_t size);
