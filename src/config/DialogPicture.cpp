#include "config/DialogPicture.h"

#include "codecs/BuiltinExpic.h"
#include "codecs/PictureLoad.h"
#include "db/MemoryFile.h"
#include "gfx/Picture.h"
#include "model/ProjectInfo.h"
#include "model/TableFields.h"
#include "platform/Paths.h"

bool LoadDialogPicture(ProjectInfo& project, Picture& picture)
{
    picture.Free();
    DatabaseTable& table = project.GetProjectTable();
    const std::string name = ReadTextField(table, "dialogpicture");
    const ProjectOptions& options = project.Options();
    int loaded = 0;
    if (options.MediaInDatabase()) {
        // No decoder takes more than this, so a larger value is not read into memory.
        if (table.IsClosed() || table.GetCurrentIndex() < 0 || table.FindField("banner") < 0 ||
            table.GetFieldLength("banner") > kMaxEncodedImageBytes)
            return false;
        MemoryFile stream;
        if (table.ReadBinaryField("banner", stream))
            loaded = LoadFromStream(picture, stream, name);
    } else if (!name.empty()) {
        const std::string path =
            options.BesideExecutable() ? DirectoryOf(project.GetExecutablePath()) + FileNameOf(name) : name;
        loaded = LoadFromFile(picture, path);
    }
    return loaded != 0 && picture.IsLoaded();
}
