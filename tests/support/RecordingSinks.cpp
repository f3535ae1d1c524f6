#include "tests/support/RecordingSinks.h"

#include <algorithm>

void TRecordingLog::Clear() {
    Lines.clear();
    ++Clears;
}

void TRecordingLog::BeginUpdate() {
    MaxDepth = std::max(MaxDepth, ++Depth);
}

TVxMsgResult TRecordingMessageBox::Show(const std::string& caption, const std::string& text,
                                        TVxMsgIcon icon, TVxMsgButtons buttons,
                                        TVxMsgResult defaultButton) {
    Boxes.push_back(
        {caption, text, icon, buttons, defaultButton, Watched != nullptr && Watched->GameEnd});
    return Answer;
}
