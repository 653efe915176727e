#include "config/PageTexts.h"

#include "model/ProjectInfo.h"
#include "model/TableFields.h"

PublisherTexts MakePublisherTexts(const ProjectInfo& project)
{
    PublisherTexts texts;
    texts.author = project.GetAuthorName();
    texts.website = project.GetAuthorWebsite();
    texts.email = project.GetAuthorEmail();
    texts.emailTarget = "mailto:" + texts.email;
    texts.description = EditBoxText(project.GetDescription());
    return texts;
}

std::string DescriptionPageText(const ProjectInfo& project)
{
    return EditBoxText(ReadTextField(project.GetProjectTable(), "description"));
}

std::string EditBoxText(const std::string& text)
{
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            out += "\r\n";
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else {
            out += c;
        }
    }
    return out;
}
