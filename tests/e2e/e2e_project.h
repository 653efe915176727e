#pragma once
// The "project" table as the authoring tool lays it out, for the whole-program tests' helpers.
#include "db/DatabaseWriter.h"

inline TableContent ProjectTableLayout()
{
    return TableContent(
        "project",
        {"data", "appname", "homesite", "projectpath", "projectname", "dialogpicture", "authorname", "authorwebsite",
         "authoremail", "aboutpicture", "version", "copyright", "description", "projectdesc", "banner"},
        {false, false, false, false, false, false, false, false, false, false, false, false, false, false, true});
}
