#include "ui/window/VxReflectBeforeBox.h"

#include "game/VxGame.h"

#include <utility>

TVxReflectBeforeBox::TVxReflectBeforeBox(TVxGame& game, std::function<void()> reflect)
    : FGame(game), FSink(game.Events()), FReflect(std::move(reflect)) {
    FGame.SetEvents(this);
}

TVxReflectBeforeBox::~TVxReflectBeforeBox() {
    FGame.SetEvents(FSink);
}

void TVxReflectBeforeBox::Happened(const TVxGameEvent& event) {
    if (FReflect && VxEventWaits(event))
        std::exchange(FReflect, nullptr)();
    if (FSink)
        FSink->Happened(event);
}

void TVxReflectBeforeBox::BeginUpdate() {
    if (FSink)
        FSink->BeginUpdate();
}

void TVxReflectBeforeBox::EndUpdate() {
    if (FSink)
        FSink->EndUpdate();
}
