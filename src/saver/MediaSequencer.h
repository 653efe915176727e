#pragma once
#include "saver/SequencerInterfaces.h"

#include <memory>
#include <string>
#include <vector>

// The project's and user's values the sequencer reads.
struct SequencerOptions {
    StartMode mode = StartMode::Saver;
    bool randomOrder = false;
    int32_t displayTime = 0;  // seconds
    int32_t musicPause = 0;   // seconds
    bool mediaStored = false; // media files are in the project database
    bool mediaBesideProgram = false;
    bool musicStored = false;
    bool musicLoop = false;
    bool musicRandom = false;
    std::string programPath;
    UserSettings* settings = nullptr; // read live (playSounds): settings may change mid-show
    ProjectInfo* project = nullptr;
};

struct SequencerParts {
    IMediaList* media = nullptr;
    ISoundTable* sounds = nullptr;
    std::unique_ptr<ISoundPlayer> musicPlayer;
    std::unique_ptr<ISoundPlayer> boundSoundPlayer;
};

// Walks through the media items for as long as the window lives.
class MediaSequencer {
public:
    MediaSequencer(ISequencerHost& host, SequencerOptions options, SequencerParts parts);
    ~MediaSequencer();
    MediaSequencer(const MediaSequencer&) = delete;
    MediaSequencer& operator=(const MediaSequencer&) = delete;

    void PresentCurrentItem();
    void ItemFinished();
    void BoundSoundEnded();
    void ShowNextMedia();
    void StepToNextMedia();
    void StartMusic(bool first);
    void MusicEnded();
    void MusicPauseExpired();
    void PauseMusic();
    void ResumeMusic();
    void PlayVideo();
    void RemoveTemporaryFiles();

    // Timers 1 and 2 and the messages 1032 to 1037; false for anything else.
    bool OnTimer(uint32_t id);
    bool OnMessage(uint32_t message);

    // Players made once the window exists (before the first item).
    void AttachSoundPlayers(std::unique_ptr<ISoundPlayer> music, std::unique_ptr<ISoundPlayer> boundSound);

    // The window's destruction: stops what plays, destroys the players, removes temporary files.
    void Shutdown();

    int32_t PreviousMediaType() const { return previousMediaType_; }
    bool ItemPresenting() const { return itemPresenting_; }
    bool BoundSoundPlaying() const { return boundSoundPlaying_; }
    bool DisplayTimerRunning() const { return displayTimerRunning_; }
    bool MusicPauseTimerRunning() const { return musicPauseTimerRunning_; }
    int CurrentVideoPlayer() const { return currentVideoPlayer_; }
    bool VideoPlayerExists(int n) const { return videoPlayers_[n & 1] != nullptr; }
    const std::vector<std::string>& TemporaryFiles() const { return temporaryFiles_; }
    const std::string& CurrentTemporaryVideo() const { return currentTempVideo_; }

private:
    // Lets the image player prepare the next item's picture while this item stays on screen.
    void PrepareNextItem();
    std::string PrepareCachedVideo(const std::string& storedName);
    void AddTemporaryFile(const std::string& path);

    ISequencerHost& host_;
    SequencerOptions options_;
    SequencerParts parts_;
    int32_t previousMediaType_ = -1;
    bool displayTimerRunning_ = false;
    bool imagePlayerCreated_ = false;
    std::unique_ptr<ISlidePlayer> imagePlayer_; // null until created, or when its window could not be made
    std::vector<std::string> temporaryFiles_;
    std::string currentTempVideo_;
    int currentVideoPlayer_ = 0;
    std::unique_ptr<IVideoPlayer> videoPlayers_[2];
    bool musicPauseTimerRunning_ = false;
    bool itemPresenting_ = false;
    bool boundSoundPlaying_ = false;
    bool shutDown_ = false;
};
