#include "model/MediaPlaylist.h"

#include "db/ProjectDatabase.h"
#include "model/IndexList.h"
#include "model/PanZoomSetting.h"
#include "model/Random.h"
#include "model/TableFields.h"
#include "model/UserSettings.h"
#include "platform/Clock.h"

#include <stdexcept>

MediaPlaylist::MediaPlaylist() : MediaPlaylist(SystemClock(), StandardRandom())
{
}

MediaPlaylist::MediaPlaylist(IClock& clock, IRandom& random) : random_(&random), bag_(clock)
{
}

bool MediaPlaylist::Open()
{
    if (!db_)
        return false;
    table_.SetLoadBinaryFields(false);
    const bool opened = table_.Open(*db_, "setting");
    effectPositions_.assign(static_cast<size_t>(table_.GetRecordCount()), -1);
    if (opened)
        table_.MoveFirst();
    return opened;
}

void MediaPlaylist::Close()
{
    if (!table_.IsClosed()) {
        table_.Close();
        effectPositions_.clear();
    }
    if (!peek_.IsClosed())
        peek_.Close();
}

void MediaPlaylist::LoadCurrent()
{
    uint8_t data[MediaSettingsRecord::kSize];
    record_.Assign(data, CopyRecordField(table_, "data", data, sizeof data));
    const bool own = user_ && user_->useOwnTransitions != 0;
    if (own) {
        record_.SetFlag(MediaSettingsRecord::kPlayMusic, user_->playSounds == 1);
        record_.SetFlag(MediaSettingsRecord::kRandomEffects, user_->randomTransitions == 1);
        record_.SetI32(MediaSettingsRecord::kTransitionSpeed, user_->transitionSpeed);
    }
    fileName_ = ReadTextField(table_, "filename");
    title_ = ReadTextField(table_, "title");
    titleFontName_ = ReadTextField(table_, "titlefontname");
    titleFontStyle_ = ReadTextField(table_, "titlefontstyle");
    desc_ = ReadTextField(table_, "desc");
    descFontName_ = ReadTextField(table_, "descfontname");
    descFontStyle_ = ReadTextField(table_, "descfontstyle");
    gradientString_ = ReadTextField(table_, "gradientstring");
    effect_ = own ? user_->transitionList : ReadTextField(table_, "effect");
    selectedBackgrounds_ = ReadTextField(table_, "selectedimagebackgroundstring");
    bindSound_ = ReadTextField(table_, "bindsound");
    accFile_ = ReadTextField(table_, "accfile");
}

void MediaPlaylist::SelectNext(bool random)
{
    const int n = table_.GetRecordCount();
    if (random)
        table_.MoveTo(bag_.Next(n));
    else if (table_.GetCurrentIndex() < n - 1)
        table_.MoveNext();
    else
        table_.MoveFirst();
    LoadCurrent();
}

std::optional<UpcomingItem> MediaPlaylist::PeekNext(bool random)
{
    const int n = table_.GetRecordCount();
    if (table_.IsClosed() || n <= 0)
        return std::nullopt;
    int next = table_.GetCurrentIndex() < n - 1 ? table_.GetCurrentIndex() + 1 : 0;
    if (random) {
        const std::optional<int> drawn = bag_.Peek(n);
        if (!drawn)
            return std::nullopt;
        next = *drawn;
    }
    if (peek_.IsClosed()) {
        peek_.SetLoadBinaryFields(false);
        if (!db_ || !peek_.Open(*db_, "setting"))
            return std::nullopt;
    }
    if (peek_.MoveTo(next) != next)
        return std::nullopt;
    uint8_t data[MediaSettingsRecord::kSize];
    MediaSettingsRecord record;
    record.Assign(data, CopyRecordField(peek_, "data", data, sizeof data));
    const PanZoomSetting panZoom = ReadPanZoom(record);
    return UpcomingItem{next, record.MediaType(), ReadTextField(peek_, "filename"), record.ColourKey(),
                        panZoom.enabled ? panZoom.zoomPercent : 100};
}

int MediaPlaylist::NextEffect()
{
    const int i = table_.GetCurrentIndex();
    if (i < 0 || static_cast<size_t>(i) >= effectPositions_.size())
        throw std::invalid_argument("media item without effect position");
    return PickFromIndexList(effect_, record_.RandomEffects(), effectPositions_[static_cast<size_t>(i)], *random_);
}
