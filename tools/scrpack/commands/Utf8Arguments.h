#pragma once
#include <string>
#include <vector>

// The command line's words in UTF-8, as the manifest names files: Windows passes main() its words in the ANSI
// code page, where a name outside it is lost, so there they are taken again from the wide command line.
std::vector<std::string> Utf8Arguments(int argc, char** argv);
