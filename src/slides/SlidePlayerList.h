#pragma once
#include <functional>
#include <memory>
#include <vector>

#include "slides/SlidePlayer.h"

// The application's image players, reached by their position in the list. The eight functions are the
// only way the screensaver window drives a player. A position outside the list is a programming error
// (std::invalid_argument); a destroyed entry stays in the list, empty, and calls on it do nothing. A player
// whose window cannot be made gets such an empty entry too.
class SlidePlayerList {
public:
    // Makes the platform window of a new player as a child of `parent`.
    using HostFactory = std::function<std::unique_ptr<ISlideWindowHost>(void* parent)>;

    explicit SlidePlayerList(HostFactory factory, ProjectDatabase* db = nullptr);
    ~SlidePlayerList();
    SlidePlayerList(const SlidePlayerList&) = delete;
    SlidePlayerList& operator=(const SlidePlayerList&) = delete;

    int CreatePlayer(void* parent);
    void DestroyPlayer(int index);
    void SetPlayerSettings(int index, UserSettings* settings, ProjectInfo* project);
    void ShowSlide(int index, MediaPlaylist* mediaSetting);
    void StopTransition(int index);
    void HidePlayer(int index, int hide);
    void SetPlayerMode(int index, int startMode);
    void SetPlayerMedia(int index, MediaTable* media);

    int Count() const { return static_cast<int>(entries_.size()); }
    // The player at a position; null for a destroyed entry.
    SlidePlayer* Player(int index);
    ISlideWindowHost* Host(int index);

private:
    struct Entry {
        std::unique_ptr<ISlideWindowHost> host; // outlives its player
        std::unique_ptr<SlidePlayer> player;
    };
    Entry& At(int index);

    HostFactory factory_;
    ProjectDatabase* db_;
    std::vector<Entry> entries_;
};
