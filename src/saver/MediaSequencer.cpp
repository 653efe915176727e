#include "saver/MediaSequencer.h"

#include "db/FileBase.h"
#include "model/MediaKind.h"
#include "model/MediaPlaylist.h"
#include "model/UserSettings.h"
#include "platform/DiagnosticLog.h"
#include "platform/LogLines.h"
#include "platform/Paths.h"
#include "saver/SaverMessages.h"
#include "saver/VideoCache.h"

#include <algorithm>

MediaSequencer::MediaSequencer(ISequencerHost& host, SequencerOptions options, SequencerParts parts)
    : host_(host), options_(std::move(options)), parts_(std::move(parts))
{
}

MediaSequencer::~MediaSequencer()
{
    Shutdown();
}

void MediaSequencer::AttachSoundPlayers(std::unique_ptr<ISoundPlayer> music, std::unique_ptr<ISoundPlayer> boundSound)
{
    parts_.musicPlayer = std::move(music);
    parts_.boundSoundPlayer = std::move(boundSound);
}

void MediaSequencer::PresentCurrentItem()
{
    IMediaList& media = *parts_.media;
    if (previousMediaType_ == MediaKind::kImage && imagePlayer_)
        imagePlayer_->StopTransition();
    else if (previousMediaType_ == MediaKind::kVideo && videoPlayers_[currentVideoPlayer_])
        videoPlayers_[currentVideoPlayer_]->CloseVideo(1);
    itemPresenting_ = false;

    const int count = media.Count();
    LogMediaCount(DiagnosticLog::Instance(), count);
    const std::string fileName = media.FileName();
    LogMediaName(DiagnosticLog::Instance(), fileName);
    // Without items there is nothing to present; the show waits for its close event.
    if (count <= 0)
        return;

    const int32_t type = media.MediaType();
    switch (type) {
    case MediaKind::kImage:
        // One player serves every slide. When its window cannot be made there is none for the rest of the
        // show, and the image items wait for their close event.
        if (!imagePlayerCreated_) {
            imagePlayerCreated_ = true;
            imagePlayer_ = host_.CreateSlidePlayer();
            if (imagePlayer_) {
                imagePlayer_->SetMode(options_.mode);
                imagePlayer_->SetSettings(options_.settings, options_.project);
                imagePlayer_->SetMedia(media.Media());
            }
        }
        LogImageSlideShow(DiagnosticLog::Instance());
        if (imagePlayer_)
            imagePlayer_->ShowSlide(media.Settings());
        break;
    case MediaKind::kNoPlayer: break;
    case MediaKind::kVideo:
        LogPlayVideo(DiagnosticLog::Instance());
        PlayVideo();
        break;
    default: LogUnknownMediaType(DiagnosticLog::Instance(), type); break;
    }
    itemPresenting_ = true;

    if (previousMediaType_ != type) {
        if (previousMediaType_ == MediaKind::kImage && imagePlayer_)
            imagePlayer_->Hide(1);
        else if (previousMediaType_ == MediaKind::kVideo && videoPlayers_[currentVideoPlayer_])
            videoPlayers_[currentVideoPlayer_]->HideBehind();
    }
    previousMediaType_ = type;

    if (parts_.musicPlayer) {
        if (media.PlaysMusic())
            parts_.musicPlayer->Resume();
        else
            parts_.musicPlayer->Pause();
    }

    boundSoundPlaying_ = false;
    const std::string sound = parts_.sounds->GetSoundFile(options_.programPath, media.BoundSound(),
                                                          options_.mediaStored, options_.mediaBesideProgram);
    if (!sound.empty() && parts_.boundSoundPlayer)
        boundSoundPlaying_ = parts_.boundSoundPlayer->Play(sound);
}

void MediaSequencer::ItemFinished()
{
    const bool soundPlaying = boundSoundPlaying_;
    itemPresenting_ = false;
    PrepareNextItem();
    if (soundPlaying)
        return;
    LogShowNextMedia(DiagnosticLog::Instance());
    ShowNextMedia();
}

void MediaSequencer::PrepareNextItem()
{
    if (!imagePlayer_)
        return;
    const std::optional<UpcomingItem> next = parts_.media->PeekNext(options_.randomOrder);
    if (next && next->mediaType == MediaKind::kImage)
        imagePlayer_->PrepareSlide(next->fileName, next->colourKey, next->zoomPercent);
}

void MediaSequencer::BoundSoundEnded()
{
    boundSoundPlaying_ = false;
    if (!itemPresenting_)
        ShowNextMedia();
}

void MediaSequencer::ShowNextMedia()
{
    if (options_.displayTime <= 0) {
        StepToNextMedia();
        return;
    }
    if (!displayTimerRunning_) {
        host_.SetTimer(SaverTimer::kDisplayTime, SaverTimer::PeriodOf(uint64_t(options_.displayTime) * 1000u));
        displayTimerRunning_ = true;
    }
}

void MediaSequencer::StepToNextMedia()
{
    if (options_.displayTime > 0) {
        host_.KillTimer(SaverTimer::kDisplayTime);
        displayTimerRunning_ = false;
    }
    parts_.media->SelectNext(options_.randomOrder);
    PresentCurrentItem();
}

void MediaSequencer::StartMusic(bool first)
{
    if ((options_.settings && !options_.settings->playSounds) || !parts_.musicPlayer)
        return;
    const std::string track =
        parts_.sounds->GetNextMusic(options_.programPath, options_.musicRandom, options_.musicLoop,
                                    options_.musicStored, options_.mediaBesideProgram);
    if (track.empty())
        return;
    parts_.musicPlayer->Play(track);
    // A later track may start under an item that wants no music: that item's flag holds for it too.
    if (first || (parts_.media && parts_.media->Count() > 0 && !parts_.media->PlaysMusic()))
        parts_.musicPlayer->Pause();
}

void MediaSequencer::MusicEnded()
{
    if (parts_.musicPlayer)
        parts_.musicPlayer->Stop();
    if (options_.musicPause <= 0) {
        StartMusic(false);
        return;
    }
    if (!musicPauseTimerRunning_) {
        host_.SetTimer(SaverTimer::kMusicPause, SaverTimer::PeriodOf(uint64_t(options_.musicPause) * 1000u));
        musicPauseTimerRunning_ = true;
    }
}

void MediaSequencer::MusicPauseExpired()
{
    if (musicPauseTimerRunning_) {
        host_.KillTimer(SaverTimer::kMusicPause);
        musicPauseTimerRunning_ = false;
    }
    StartMusic(false);
}

void MediaSequencer::PauseMusic()
{
    if (parts_.musicPlayer)
        parts_.musicPlayer->Pause();
}

void MediaSequencer::ResumeMusic()
{
    if (parts_.musicPlayer)
        parts_.musicPlayer->Resume();
}

void MediaSequencer::AddTemporaryFile(const std::string& path)
{
    if (std::find(temporaryFiles_.begin(), temporaryFiles_.end(), path) == temporaryFiles_.end())
        temporaryFiles_.push_back(path);
}

std::string MediaSequencer::PrepareCachedVideo(const std::string& storedName)
{
    ISaverFiles& files = host_.Files();
    // The previous copy goes back under its hidden name until it is needed again.
    if (!currentTempVideo_.empty() && files.FileExists(currentTempVideo_))
        files.Rename(currentTempVideo_, HiddenVideoName(currentTempVideo_));

    const std::string path = CachedVideoPath(files.TempDirectory(), options_.programPath, storedName);
    const std::string directory = DirectoryOf(path);
    if (!files.IsDirectory(directory))
        files.CreateDirectories(directory);
    currentTempVideo_ = path;

    const std::string hidden = HiddenVideoName(path);
    if (!files.FileExists(path)) {
        if (files.FileExists(hidden)) {
            files.Rename(hidden, path);
        } else {
            // Only found data makes a copy: an empty one would be hidden and taken back by every later run.
            // The data goes from the database file to the copy a piece at a time, never whole in memory. The
            // copy is written and closed before the player opens it: no wait after it (a second of the show's
            // window with nothing on it, and the item a second late).
            files.WriteFile(path, [&](FileBase& out) { return parts_.media->ReadMediaData(storedName, out); });
        }
    }
    AddTemporaryFile(hidden);
    AddTemporaryFile(path);
    return path;
}

void MediaSequencer::PlayVideo()
{
    const std::string storedName = parts_.media->FileName();
    std::string playPath;
    if (options_.mediaStored) {
        playPath = PrepareCachedVideo(storedName);
    } else {
        if (options_.mediaBesideProgram)
            playPath = DirectoryOf(options_.programPath) + FileNameOf(storedName);
        else
            playPath = parts_.media->GetStoredName(storedName);
        if (!host_.Files().FileExists(playPath)) {
            host_.ShowMessage("File not found : " + playPath);
            playPath.clear();
        }
    }

    const int chosen = currentVideoPlayer_ == 1 ? 0 : 1;
    if (chosen == 0)
        LogVideoPlayer0Working(DiagnosticLog::Instance());
    else
        LogVideoPlayer1Working(DiagnosticLog::Instance());
    std::unique_ptr<IVideoPlayer>& player = videoPlayers_[chosen];
    if (!player)
        player = host_.CreateVideoPlayer();
    if (player) {
        player->SetVideoPath(playPath);
        player->SetMediaSetting(parts_.media->Settings());
        player->SetMedia(parts_.media->Media());
        player->DrawBackground();
    }
    host_.MakeTopmost();
    LogTopMost(DiagnosticLog::Instance());
    if (player)
        player->Show();
    videoPlayers_[1 - chosen].reset();
    currentVideoPlayer_ = chosen;
    LogExitPlayVideo(DiagnosticLog::Instance());
}

void MediaSequencer::RemoveTemporaryFiles()
{
    ISaverFiles& files = host_.Files();
    // Every copy goes but the current one, which is hidden below to be found next run. The current copy is
    // the last entry only until a video is shown again after others; it is kept then too.
    for (const std::string& file : temporaryFiles_) {
        if (file != currentTempVideo_ && files.FileExists(file))
            files.Delete(file);
    }
    if (!currentTempVideo_.empty() && files.FileExists(currentTempVideo_))
        files.Rename(currentTempVideo_, HiddenVideoName(currentTempVideo_));
}

bool MediaSequencer::OnTimer(uint32_t id)
{
    if (id == SaverTimer::kDisplayTime) {
        StepToNextMedia();
        return true;
    }
    if (id == SaverTimer::kMusicPause) {
        MusicPauseExpired();
        return true;
    }
    return false;
}

bool MediaSequencer::OnMessage(uint32_t message)
{
    switch (message) {
    case ShowMsg::kItemFinished: ItemFinished(); return true;
    case ShowMsg::kMusicEnded: MusicEnded(); return true;
    case ShowMsg::kPauseMusic: PauseMusic(); return true;
    case ShowMsg::kResumeMusic: ResumeMusic(); return true;
    case ShowMsg::kBoundSoundEnded: BoundSoundEnded(); return true;
    default: return false;
    }
}

void MediaSequencer::Shutdown()
{
    if (shutDown_)
        return;
    shutDown_ = true;
    if (previousMediaType_ == MediaKind::kImage && imagePlayer_)
        imagePlayer_->StopTransition();
    else if (previousMediaType_ == MediaKind::kVideo && videoPlayers_[currentVideoPlayer_])
        // Closed for real: a device left open keeps its file, and the show's temporary folder, which holds
        // a stored video's copy, could not be removed.
        videoPlayers_[currentVideoPlayer_]->CloseVideo(1);

    videoPlayers_[0].reset();
    videoPlayers_[1].reset();
    if (imagePlayer_) {
        imagePlayer_->StopTransition();
        imagePlayer_.reset();
    }
    imagePlayerCreated_ = false;
    if (parts_.media)
        parts_.media->Close();
    parts_.boundSoundPlayer.reset();
    parts_.musicPlayer.reset();
    if (musicPauseTimerRunning_) {
        host_.KillTimer(SaverTimer::kMusicPause);
        musicPauseTimerRunning_ = false;
    }
    if (parts_.sounds)
        parts_.sounds->RemoveTemporaryFiles();
    RemoveTemporaryFiles();
}
