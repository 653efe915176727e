#pragma once
#include "db/DatabaseTable.h"
#include "media/MediaInterfaces.h"
#include "model/ShuffleBag.h"

#include <functional>
#include <string>
#include <vector>

class ProjectDatabase;
class IClock;

// The "music" table as a playlist: the background tracks (records of type 1) in table order, played in turn
// or shuffled, looping or not, and the sounds bound to single items, found by name. Each answer is a path
// the media control interface can open: stored sounds are written into the temporary folder first.
class SoundTable final : public ISoundTable {
public:
    explicit SoundTable(IClock& clock);
    ~SoundTable() override;
    SoundTable(const SoundTable&) = delete;
    SoundTable& operator=(const SoundTable&) = delete;

    void SetDatabase(ProjectDatabase* db) { db_ = db; }
    // Where stored sounds are written (the system's temporary folder unless set).
    void SetTempFolder(const std::string& folder) { tempFolder_ = folder; }
    // Shows the message about a missing sound file (a message box on Windows).
    void SetMessageHandler(std::function<void(const std::string&)> show) { showMessage_ = std::move(show); }

    bool Load();
    void Close();

    std::string GetNextMusic(const std::string& programPath, bool random, bool loop, bool stored,
                             bool besideExecutable) override;
    std::string GetSoundFile(const std::string& programPath, const std::string& soundName, bool stored,
                             bool besideExecutable) override;
    // Deletes the temporary copies of the current track and bound sound.
    void RemoveTemporaryFiles() override;

    const std::vector<int>& Playlist() const { return playlist_; }
    int PlaylistPosition() const { return position_; }

private:
    // The path of the current record's sound, written to tempFile when stored.
    std::string PathOfCurrent(const std::string& programPath, bool stored, bool besideExecutable,
                              std::string& tempFile);
    std::string TempFolder() const;

    ProjectDatabase* db_ = nullptr;
    DatabaseTable table_;
    std::vector<int> playlist_;
    int position_ = -1;
    ShuffleBag bag_;
    std::string musicTempFile_;
    std::string soundTempFile_;
    std::string tempFolder_;
    std::function<void(const std::string&)> showMessage_;
};
