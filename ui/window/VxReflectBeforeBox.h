#pragma once

// For the length of one change of the game, runs a refresh of the window
// before the first message box the game shows, so that the box stands over
// the window as it is after the change: a sale that wins the game settles,
// the window shows the new cash, then the congratulation appears.  It
// stands in for the game's message-box sink while it lives and hands every
// box on to the sink it replaced.

#include "game/VxMessageSinks.h"

#include <functional>

class TVxGame;

class TVxReflectBeforeBox : public IVxMessageBox {
public:
    TVxReflectBeforeBox(TVxGame& game, std::function<void()> reflect);
    ~TVxReflectBeforeBox() override;
    TVxReflectBeforeBox(const TVxReflectBeforeBox&) = delete;
    TVxReflectBeforeBox& operator=(const TVxReflectBeforeBox&) = delete;

    TVxMsgResult Show(const std::string& caption, const std::string& text, TVxMsgIcon icon,
                      TVxMsgButtons buttons, TVxMsgResult defaultButton) override;

private:
    TVxGame& FGame;
    IVxMessageBox* FSink;
    std::function<void()> FReflect;
};
