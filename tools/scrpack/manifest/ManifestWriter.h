#pragma once
#include "scrpack/manifest/ManifestModel.h"

#include <string>

// The manifest text for a project whose file paths are already relative to the manifest's folder.
// Reading it back gives the same records: values the named keys cannot express go into "raw".
std::string WriteManifestText(const PackPlan& plan);
