#include "saver/StandInPlayers.h"

#include "saver/SaverMessages.h"

#include <stdexcept>

CTimedImagePlayers::Player& CTimedImagePlayers::At(int player)
{
    if (player < 0 || size_t(player) >= players_.size())
        throw std::invalid_argument("image player number outside the player list");
    return players_[size_t(player)];
}

int CTimedImagePlayers::CreatePlayer(WindowRef)
{
    players_.push_back(Player{true, 0});
    return int(players_.size()) - 1;
}

void CTimedImagePlayers::DestroyPlayer(int player)
{
    Player& p = At(player);
    StopTransition(player);
    p.alive = false;
}

void CTimedImagePlayers::SetPlayerSettings(int player, CSaverSettings*, CKADOGlobeSettings*)
{
    At(player);
}

void CTimedImagePlayers::ShowSlide(int player, CMediaSetting*)
{
    Player& p = At(player);
    if (!p.alive)
        return;
    if (p.pending)
        post_.Cancel(p.pending);
    p.pending = post_.PostAfter(slideMs_, SaverMsg::ItemFinished);
}

void CTimedImagePlayers::StopTransition(int player)
{
    Player& p = At(player);
    // A stopped slide never reports that it has finished.
    if (p.pending) {
        post_.Cancel(p.pending);
        p.pending = 0;
    }
}

void CTimedImagePlayers::HidePlayer(int player, int)
{
    At(player);
}

void CTimedImagePlayers::SetPlayerMode(int player, StartMode)
{
    At(player);
}

void CTimedImagePlayers::SetPlayerMedia(int player, CMedia*)
{
    At(player);
}

void CTimedVideoPlayer::Show()
{
    // An empty path plays nothing and never ends.
    if (!path_.empty() && !pending_)
        pending_ = post_.PostAfter(movieMs_, SaverMsg::ItemFinished);
}

void CTimedVideoPlayer::CloseVideo(int)
{
    if (pending_) {
        post_.Cancel(pending_);
        pending_ = 0;
    }
}
