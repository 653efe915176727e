#pragma once
#include <cstddef>
#include <string_view>

// The studio page's files (web/), built into the program so it needs no folder of its own at run time.
struct EmbeddedFile {
    const char* name;
    const unsigned char* data;
    size_t size;
};

// The file of this name (as "studio.js"), or null.
const EmbeddedFile* FindEmbeddedFile(std::string_view name);
