#pragma once

// A message log and a message box that record what the game sends them,
// in place of the window's.

#include "game/VxGame.h"
#include "game/VxMessageSinks.h"

#include <string>
#include <vector>

class TRecordingLog : public IVxMessageLog {
public:
    std::vector<std::string> Lines;
    int Clears = 0;
    int Depth = 0; // open BeginUpdate calls
    int MaxDepth = 0;

    void Append(const std::string& line) override { Lines.push_back(line); }
    void Clear() override;
    void BeginUpdate() override;
    void EndUpdate() override { --Depth; }
};

struct TShownBox {
    std::string Caption;
    std::string Text;
    TVxMsgIcon Icon;
    TVxMsgButtons Buttons;
    TVxMsgResult DefaultButton;
    bool GameEnd; // of `Watched` while the box was up
};

// Answers every box with `Answer`.
class TRecordingMessageBox : public IVxMessageBox {
public:
    std::vector<TShownBox> Boxes;
    TVxMsgResult Answer = TVxMsgResult::Ok;
    // The game whose GameEnd each box notes, so a test can tell whether the
    // game ended before or after the box was shown.
    const TVxGame* Watched = nullptr;

    TVxMsgResult Show(const std::string& caption, const std::string& text, TVxMsgIcon icon,
                      TVxMsgButtons buttons, TVxMsgResult defaultButton) override;
};
