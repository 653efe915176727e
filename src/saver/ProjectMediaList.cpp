#include "saver/ProjectMediaList.h"

#include "model/MediaPlaylist.h"
#include "model/MediaTable.h"
#include "model/ProjectInfo.h"
#include "saver/MediaSequencer.h"

int ProjectMediaList::Count()
{
    return settings_.GetRecordCount();
}

int32_t ProjectMediaList::MediaType()
{
    return settings_.Record().MediaType();
}

std::string ProjectMediaList::FileName()
{
    return settings_.GetFileName();
}

bool ProjectMediaList::PlaysMusic()
{
    return settings_.Record().PlayMusic();
}

std::string ProjectMediaList::BoundSound()
{
    return settings_.GetBindSound();
}

void ProjectMediaList::SelectNext(bool random)
{
    settings_.SelectNext(random);
}

std::optional<UpcomingItem> ProjectMediaList::PeekNext(bool random)
{
    return settings_.PeekNext(random);
}

bool ProjectMediaList::ReadMediaData(const std::string& fileName, FileBase& out)
{
    return media_.ReadMediaContaining(fileName, out);
}

std::string ProjectMediaList::GetStoredName(const std::string& fileName)
{
    // The name as stored, so that the path also works where file names are case-sensitive.
    return media_.FindStoredName(fileName);
}

void ProjectMediaList::Close()
{
    media_.Close();
    settings_.Close();
}

void ApplyProjectOptions(SequencerOptions& options, const ProjectInfo& project)
{
    const ProjectOptions& o = project.Options();
    options.randomOrder = o.RandomOrder();
    options.displayTime = o.DisplayTime();
    options.musicPause = o.MusicPause();
    options.mediaStored = o.MediaInDatabase();
    options.mediaBesideProgram = o.BesideExecutable();
    options.musicStored = o.MusicInDatabase();
    options.musicLoop = o.MusicLoop();
    options.musicRandom = o.MusicRandom();
    options.programPath = project.GetExecutablePath();
}
