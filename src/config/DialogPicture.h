#pragma once

class Picture;
class ProjectInfo;

// Loads the settings dialog's picture: the "banner" bytes of the project record when media are stored in
// the database, otherwise the file "dialogpicture" names (looked up by its file name in the program's
// folder when files lie beside the program). False, with the picture empty, when it cannot be loaded.
bool LoadDialogPicture(ProjectInfo& project, Picture& picture);
