#include "saver/SlidePlayerFunctions.h"

#include "slides/SlidePlayerList.h"

int SlidePlayerFunctions::CreatePlayer(WindowRef parent)
{
    return list_.CreatePlayer(parent);
}

void SlidePlayerFunctions::DestroyPlayer(int player)
{
    list_.DestroyPlayer(player);
}

void SlidePlayerFunctions::SetPlayerSettings(int player, UserSettings* settings, ProjectInfo* project)
{
    list_.SetPlayerSettings(player, settings, project);
}

void SlidePlayerFunctions::ShowSlide(int player, MediaPlaylist* media)
{
    list_.ShowSlide(player, media);
}

void SlidePlayerFunctions::StopTransition(int player)
{
    list_.StopTransition(player);
}

void SlidePlayerFunctions::HidePlayer(int player, int hide)
{
    list_.HidePlayer(player, hide);
}

void SlidePlayerFunctions::SetPlayerMode(int player, StartMode mode)
{
    list_.SetPlayerMode(player, static_cast<int>(mode));
}

void SlidePlayerFunctions::SetPlayerMedia(int player, MediaTable* media)
{
    list_.SetPlayerMedia(player, media);
}
