#include "media/SoundTable.h"

#include "base/TextCase.h"
#include "db/DiskFile.h"
#include "db/ProjectDatabase.h"
#include "model/TableFields.h"
#include "platform/Paths.h"
#include "platform/Process.h"

SoundTable::SoundTable(IClock& clock) : bag_(clock)
{
}

SoundTable::~SoundTable()
{
    Close();
}

bool SoundTable::Load()
{
    playlist_.clear();
    position_ = -1;
    bag_.Clear();
    if (!db_)
        return false;
    table_.SetLoadBinaryFields(false);
    if (!table_.Open(*db_, "music"))
        return false;
    if (table_.FindField("type") < 0)
        return true;
    for (table_.MoveFirst(); !table_.IsAtEnd(); table_.MoveNext()) {
        if (table_.ReadFieldInt("type") == 1)
            playlist_.push_back(table_.GetCurrentIndex());
    }
    return true;
}

void SoundTable::Close()
{
    if (!table_.IsClosed())
        table_.Close();
}

std::string SoundTable::TempFolder() const
{
    std::string folder = tempFolder_.empty() ? TempDirectory() : tempFolder_;
    if (folder.empty())
        return {}; // no temporary folder: no copy at all, rather than one at the root of the drive
    if (!IsPathSeparator(folder.back()))
        folder += '\\';
    return folder;
}

std::string SoundTable::PathOfCurrent(const std::string& programPath, bool stored, bool besideExecutable,
                                      std::string& tempFile)
{
    const std::string name = ReadTextField(table_, "name");
    // Only the file-name part names the copy: a stored name with folders or "..", or a device name, is
    // never written outside the folder.
    const std::string fileName = stored ? SafeFileNameOf(name) : FileNameOf(name);
    if (fileName.empty() || (stored && TempFolder().empty()))
        return {};
    if (stored) {
        if (!tempFile.empty() && FileExists(NativePath(tempFile)))
            DiskFile::Remove(NativePath(tempFile));
        const std::string path = TempFolder() + fileName;
        // Straight from the database file to the copy, a piece at a time: a long track is never held
        // whole in memory. A copy that cannot be written still gives its path: the player then fails to
        // open it.
        DiskFile copy;
        if (copy.Open(NativePath(path), DiskFile::kModeWrite | DiskFile::kModeCreate) && table_.FindField("music") >= 0)
            table_.ReadBinaryField("music", copy);
        copy.Close();
        tempFile = path;
        return NativePath(path);
    }
    const std::string path = NativePath(besideExecutable ? DirectoryOf(programPath) + fileName : name);
    if (!FileExists(path)) {
        if (showMessage_)
            showMessage_("Cann't find " + path);
        return {};
    }
    return path;
}

std::string SoundTable::GetNextMusic(const std::string& programPath, bool random, bool loop, bool stored,
                                     bool besideExecutable)
{
    const int n = static_cast<int>(playlist_.size());
    if (n == 0 || table_.IsClosed())
        return {};
    if (random) {
        position_ = bag_.Next(n);
    } else {
        // The position stays at n once the list has ended without loop: music ends for good.
        if (position_ < n)
            ++position_;
        if (position_ >= n) {
            if (!loop)
                return {};
            position_ = 0;
        }
    }
    table_.MoveTo(playlist_[static_cast<size_t>(position_)]);
    return PathOfCurrent(programPath, stored, besideExecutable, musicTempFile_);
}

std::string SoundTable::GetSoundFile(const std::string& programPath, const std::string& soundName, bool stored,
                                     bool besideExecutable)
{
    const std::string part = LowerAnsi(FileNameOf(soundName));
    if (part.empty() || table_.IsClosed() || table_.FindField("name") < 0)
        return {};
    for (table_.MoveFirst(); !table_.IsAtEnd(); table_.MoveNext()) {
        if (LowerAnsi(table_.GetFieldString("name")).find(part) != std::string::npos)
            return PathOfCurrent(programPath, stored, besideExecutable, soundTempFile_);
    }
    return {};
}

void SoundTable::RemoveTemporaryFiles()
{
    for (std::string* file : {&musicTempFile_, &soundTempFile_}) {
        if (!file->empty() && FileExists(NativePath(*file)))
            DiskFile::Remove(NativePath(*file));
        file->clear();
    }
}
