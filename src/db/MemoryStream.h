#pragma once
#include "db/MemoryFile.h"

#include <string>

// A memory file whose contents can be saved as a file on disk (temporary copies of music and videos).
class MemoryStream : public MemoryFile {
public:
    // Writes the whole contents to path, replacing what was there; false on any failure, in which case no
    // partial file is left behind.
    bool SaveToFile(const std::string& path) const;
};
