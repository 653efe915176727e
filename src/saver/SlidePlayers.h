#pragma once
#include "image/SlidePlayerList.h"
#include "saver/SequencerInterfaces.h"

// The eight player functions over the application's slide players (CSlidePlayerList).
class CSlidePlayers final : public IImagePlayerInterface {
public:
    explicit CSlidePlayers(CSlidePlayerList& list) : list_(list) {}

    int CreatePlayer(WindowRef parent) override { return list_.CreatePlayer(parent); }
    void DestroyPlayer(int player) override { list_.DestroyPlayer(player); }
    void SetPlayerSettings(int player, CSaverSettings* settings, CKADOGlobeSettings* project) override
    {
        list_.SetPlayerSettings(player, settings, project);
    }
    void ShowSlide(int player, CMediaSetting* media) override { list_.ShowSlide(player, media); }
    void StopTransition(int player) override { list_.StopTransition(player); }
    void HidePlayer(int player, int hide) override { list_.HidePlayer(player, hide); }
    void SetPlayerMode(int player, StartMode mode) override { list_.SetPlayerMode(player, static_cast<int>(mode)); }
    void SetPlayerMedia(int player, CMedia* media) override { list_.SetPlayerMedia(player, media); }

private:
    CSlidePlayerList& list_;
};
