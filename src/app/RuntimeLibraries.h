#pragma once
#include <string>

class ProjectDatabase;

// Writes the files of the project's "runtimelib" table into directory (ending with a separator). Names that
// are not plain file names are refused and existing files are never replaced; failures are silent.
// Returns the number of files written.
int ExtractRuntimeLibraries(ProjectDatabase& db, const std::string& directory);
