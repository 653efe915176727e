#pragma once
#include <cstdint>
#include <string>
#include <vector>

// The author's files are named in UTF-8 (the manifest's and the command line's texts): the Windows scrpack
// opens them by their UTF-16 names, every file call of this process included. Each command calls this first.
void UseUtf8FileNames();

// Reads up to limit bytes of the file at a UTF-8 path (the whole file when it is smaller); false when it cannot be
// read, is empty, or is larger than a picture can be.
bool ReadSourceFile(const std::string& utf8Path, uint64_t limit, std::vector<uint8_t>& bytes);
