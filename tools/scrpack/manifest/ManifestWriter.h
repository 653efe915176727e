#pragma once
#include "scrpack/manifest/ManifestFields.h"
#include "scrpack/manifest/ManifestModel.h"

#include <toml++/toml.h>

#include <string>

// The manifest text for a project whose file paths are already relative to the manifest's folder.
// Reading it back gives the same records: values the named keys cannot express go into "raw".
std::string WriteManifestText(const PackPlan& plan);

// Puts one record value under its key as a manifest writes it: a bool, a number, "#RRGGBB", a choice's name.
void PutRecordField(toml::table& table, const RecordField& field, const uint8_t* bytes);
