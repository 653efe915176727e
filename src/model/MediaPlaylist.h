#pragma once
#include "db/DatabaseTable.h"
#include "model/MediaSettingsRecord.h"
#include "model/ShuffleBag.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class ProjectDatabase;
class UserSettings;
class IClock;
class IRandom;

// What an item that comes later is, as far as preparing it needs.
struct UpcomingItem {
    int index = 0;
    int32_t mediaType = 0;
    std::string fileName;
    bool colourKey = false;
    int zoomPercent = 100; // where its pan and zoom ends; 100 without one
};

// The playlist over the "setting" table: the current media item's settings, the choice of the next item,
// and each item's own sequence of transition effects.
class MediaPlaylist {
public:
    MediaPlaylist();
    MediaPlaylist(IClock& clock, IRandom& random);
    MediaPlaylist(const MediaPlaylist&) = delete;
    MediaPlaylist& operator=(const MediaPlaylist&) = delete;

    void SetUserSettings(UserSettings* settings) { user_ = settings; }
    void SetDatabase(ProjectDatabase* db) { db_ = db; }

    // Opens the table with record 0 current (not yet loaded).
    bool Open();
    void Close();
    // Reads the current record, switching in the user's transition choice when asked for.
    void LoadCurrent();
    // Moves to the next item, in order (wrapping) or from the shuffle bag, and loads it.
    void SelectNext(bool random);
    // The item SelectNext(random) moves to, read without moving; none when that is not known yet (a
    // shuffle bag about to be filled anew) or there are no items.
    std::optional<UpcomingItem> PeekNext(bool random);
    // The next effect of the current item's effect list; -1 for an empty list.
    // Throws std::invalid_argument when there is no current item.
    int NextEffect();

    int GetCurrentIndex() const { return table_.GetCurrentIndex(); }
    int GetRecordCount() const { return table_.GetRecordCount(); }

    const MediaSettingsRecord& Record() const { return record_; }
    const std::string& GetFileName() const { return fileName_; }
    const std::string& GetTitle() const { return title_; }
    const std::string& GetTitleFontName() const { return titleFontName_; }
    const std::string& GetTitleFontStyle() const { return titleFontStyle_; }
    const std::string& GetDesc() const { return desc_; }
    const std::string& GetDescFontName() const { return descFontName_; }
    const std::string& GetDescFontStyle() const { return descFontStyle_; }
    const std::string& GetGradientString() const { return gradientString_; }
    const std::string& GetEffect() const { return effect_; }
    const std::string& GetSelectedImageBackgroundString() const { return selectedBackgrounds_; }
    const std::string& GetBindSound() const { return bindSound_; }
    const std::string& GetAccFile() const { return accFile_; }

    IRandom& Random() const { return *random_; }

private:
    UserSettings* user_ = nullptr;
    ProjectDatabase* db_ = nullptr;
    IRandom* random_;
    DatabaseTable table_;
    DatabaseTable peek_; // the same table with a cursor of its own, for items that come later
    std::vector<int> effectPositions_;
    ShuffleBag bag_;
    MediaSettingsRecord record_;
    std::string fileName_, title_, titleFontName_, titleFontStyle_, desc_, descFontName_, descFontStyle_,
        gradientString_, effect_, selectedBackgrounds_, bindSound_, accFile_;
};
