#include "config/AboutTexts.h"

#include "model/ProjectInfo.h"
#include "model/TableFields.h"

AboutTexts MakeAboutTexts(const ProjectInfo& project, uint64_t totalPhysicalBytes)
{
    AboutTexts texts;
    texts.projectName = project.GetProjectName();
    texts.version = ReadTextField(project.GetProjectTable(), "version");
    texts.copyright = ReadTextField(project.GetProjectTable(), "copyright");
    texts.caption = "About " + texts.projectName;
    texts.memory = MemoryText(totalPhysicalBytes);
    return texts;
}

std::string MemoryText(uint64_t bytes)
{
    return std::to_string(bytes >> 10) + " K";
}
