#pragma once

// For the length of one change of the game, runs a refresh of the window
// before the first message box the game shows, so that the box stands over
// the window as it is after the change: a sale that wins the game settles,
// the window shows the new cash, then the congratulation appears.  It
// stands in for the game's events' sink while it lives and hands every
// event on to the sink it replaced.

#include "game/VxGameEvents.h"

#include <functional>

class TVxGame;

class TVxReflectBeforeBox : public IVxGameEvents {
public:
    TVxReflectBeforeBox(TVxGame& game, std::function<void()> reflect);
    ~TVxReflectBeforeBox() override;
    TVxReflectBeforeBox(const TVxReflectBeforeBox&) = delete;
    TVxReflectBeforeBox& operator=(const TVxReflectBeforeBox&) = delete;

    // The refresh runs before the first event that waits (VxEventWaits).
    void Happened(const TVxGameEvent& event) override;
    void BeginUpdate() override;
    void EndUpdate() override;

private:
    TVxGame& FGame;
    IVxGameEvents* FSink;
    std::function<void()> FReflect;
};
