#pragma once
#include "scrpack/manifest/ManifestModel.h"

// What a manifest entry holds when it does not say otherwise: the values of a stored project.
ProjectOptions DefaultProjectOptions();
MediaSettingsRecord DefaultMediaRecord();
std::map<std::string, std::string> DefaultItemTexts();
