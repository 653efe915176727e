#pragma once
#include "saver/SequencerInterfaces.h"

class SlidePlayerList;

// The image slide-show players of the application's player list, as the screensaver window drives them.
class SlidePlayerFunctions final : public IImagePlayerInterface {
public:
    explicit SlidePlayerFunctions(SlidePlayerList& list) : list_(list) { }

    int CreatePlayer(WindowRef parent) override;
    void DestroyPlayer(int player) override;
    void SetPlayerSettings(int player, UserSettings* settings, ProjectInfo* project) override;
    void ShowSlide(int player, MediaPlaylist* media) override;
    void StopTransition(int player) override;
    void HidePlayer(int player, int hide) override;
    void SetPlayerMode(int player, StartMode mode) override;
    void SetPlayerMedia(int player, MediaTable* media) override;

private:
    SlidePlayerList& list_;
};
