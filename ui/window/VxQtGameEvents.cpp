#include "ui/window/VxQtGameEvents.h"

#include "ui/words/VxGameEventText.h"

#include <variant>

void TVxQtGameEvents::Happened(const TVxGameEvent& event) {
    if (VxEventWaits(event)) {
        const TVxGameEventBox box = GameEventBox(event);
        FBox.Show(box.Caption.toStdString(), box.Text.toStdString(), box.Icon, TVxMsgButtons::Ok,
                  TVxMsgResult::Ok);
        return;
    }
    if (std::holds_alternative<TVxNewGameBegun>(event))
        FLog.Clear();
    for (const QString& line : GameEventLines(event))
        FLog.Append(line.toStdString());
}
