#pragma once
#include <string>

class CComPicture;
class CMedia;
class ProjectOptions;

// Loads the image of a media item (its "filename") into picture: from the project database when the
// project stores its media there, otherwise from disk through the stored name (beside the executable when
// the project says so). Returns 1 on success; on failure the picture is left empty.
int LoadSlideImage(CComPicture& picture, const ProjectOptions& options, CMedia* media, const std::string& fileName,
                   const std::string& executablePath);
