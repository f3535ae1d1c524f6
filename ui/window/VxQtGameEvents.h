#pragma once

// What the game tells the player, shown by the window: the events told in
// passing become lines of the message log, and the events that wait (a
// refused month, the end of the game) modal boxes, in the words of
// VxGameEventText.  A new game empties the log before its first lines.

#include "game/VxGameEvents.h"
#include "game/VxMessageSinks.h"

class TVxQtGameEvents : public IVxGameEvents {
public:
    TVxQtGameEvents(IVxMessageLog& log, IVxMessageBox& box) : FLog(log), FBox(box) {}

    void Happened(const TVxGameEvent& event) override;
    // A turn's lines are painted once, when it ends.
    void BeginUpdate() override { FLog.BeginUpdate(); }
    void EndUpdate() override { FLog.EndUpdate(); }

private:
    IVxMessageLog& FLog;
    IVxMessageBox& FBox;
};
