#include "ui/window/VxReflectBeforeBox.h"

#include "game/VxGame.h"

#include <utility>

TVxReflectBeforeBox::TVxReflectBeforeBox(TVxGame& game, std::function<void()> reflect)
    : FGame(game), FSink(game.MessageBoxSink), FReflect(std::move(reflect)) {
    FGame.MessageBoxSink = this;
}

TVxReflectBeforeBox::~TVxReflectBeforeBox() {
    FGame.MessageBoxSink = FSink;
}

TVxMsgResult TVxReflectBeforeBox::Show(const std::string& caption, const std::string& text,
                                       TVxMsgIcon icon, TVxMsgButtons buttons,
                                       TVxMsgResult defaultButton) {
    if (FReflect)
        std::exchange(FReflect, nullptr)();
    return FSink ? FSink->Show(caption, text, icon, buttons, defaultButton) : defaultButton;
}
