#pragma once
#include <cstdint>
#include <string>

class ProjectInfo;

// What the About box shows.
struct AboutTexts {
    std::string caption; // "About " and the project name
    std::string projectName;
    std::string version;   // the project record's "version"
    std::string copyright; // the project record's "copyright"
    std::string memory;    // the machine's physical memory in K
};
AboutTexts MakeAboutTexts(const ProjectInfo& project, uint64_t totalPhysicalBytes);

// "2097152 K" for 2 GiB: whole kilobytes, without wrapping on machines with more than 2 or 4 GiB.
std::string MemoryText(uint64_t bytes);
