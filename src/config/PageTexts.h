#pragma once
#include <string>

class ProjectInfo;

// What the Publisher page shows, from the project information.
struct PublisherTexts {
    std::string author;
    std::string website;     // shown as the home page link, and its target
    std::string email;       // shown as the e-mail link
    std::string emailTarget; // "mailto:" and the address
    std::string description; // with CR LF line breaks, as a multi-line edit box wants them
};
PublisherTexts MakePublisherTexts(const ProjectInfo& project);

// The Description page's text: the project record's "description", CR LF broken.
std::string DescriptionPageText(const ProjectInfo& project);

// Line breaks as a multi-line edit box shows them: a lone LF (or CR) becomes CR LF.
std::string EditBoxText(const std::string& text);
