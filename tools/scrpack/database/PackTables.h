#pragma once
#include "db/DatabaseWriter.h"
#include "scrpack/manifest/ManifestModel.h"

#include <vector>

// The tables of a project, in header order, with the stored files taken from their source paths when the
// database is written.
std::vector<TableContent> BuildTables(const PackPlan& plan);

// The field lists the packer writes (and the extractor expects).
struct TableLayout {
    const char* name;
    std::vector<std::string> fields;
    std::vector<bool> binary;
};
const std::vector<TableLayout>& PackedTableLayouts();
