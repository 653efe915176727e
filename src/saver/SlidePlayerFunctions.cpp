#include "saver/SlidePlayerFunctions.h"

#include "slides/SlidePlayerList.h"

int CSlidePlayerFunctions::CreatePlayer(WindowRef parent)
{
    return list_.CreatePlayer(parent);
}

void CSlidePlayerFunctions::DestroyPlayer(int player)
{
    list_.DestroyPlayer(player);
}

void CSlidePlayerFunctions::SetPlayerSettings(int player, UserSettings* settings, ProjectInfo* project)
{
    list_.SetPlayerSettings(player, settings, project);
}

void CSlidePlayerFunctions::ShowSlide(int player, MediaPlaylist* media)
{
    list_.ShowSlide(player, media);
}

void CSlidePlayerFunctions::StopTransition(int player)
{
    list_.StopTransition(player);
}

void CSlidePlayerFunctions::HidePlayer(int player, int hide)
{
    list_.HidePlayer(player, hide);
}

void CSlidePlayerFunctions::SetPlayerMode(int player, StartMode mode)
{
    list_.SetPlayerMode(player, static_cast<int>(mode));
}

void CSlidePlayerFunctions::SetPlayerMedia(int player, MediaTable* media)
{
    list_.SetPlayerMedia(player, media);
}
