#include "scrpack/files/SourceFiles.h"

#include "codecs/BuiltinExpic.h"
#include "db/DiskFile.h"
#include "scrpack/files/Utf8Path.h"

#include <fstream>

void UseUtf8FileNames()
{
    DiskFile::UseUtf8Names(true);
}

bool ReadSourceFile(const std::string& utf8Path, uint64_t limit, std::vector<uint8_t>& bytes)
{
    std::ifstream in(PathFromUtf8(utf8Path), std::ios::binary);
    return ReadImageStream(in, limit, bytes);
}
