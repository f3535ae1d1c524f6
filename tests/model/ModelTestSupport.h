#pragma once

// Test doubles for the game's seams: a random source that plays back
// scripted draws, a log and a message-box sink that record what they get.

#include "VxGame.h"
#include "VxMessageSinks.h"
#include "VxRandom.h"

#include <deque>
#include <stdexcept>
#include <string>
#include <vector>

// Plays back scripted draws; once the script is used up every draw is
// `fallback` (clamped to the range asked for).
class TScriptedRandom : public IVxRandom {
public:
    std::deque<int32_t> Draws;
    int32_t Fallback = 0;
    int Reseeds = 0;

    void Reseed() override { ++Reseeds; }
    int32_t Random(int32_t n) override {
        int32_t value = Fallback;
        if (!Draws.empty()) {
            value = Draws.front();
            Draws.pop_front();
            if (value < 0 || value >= n)
                throw std::logic_error("scripted draw outside 0..n-1");
        }
        return value < n ? value : n - 1;
    }
};

class TRecordingLog : public IVxMessageLog {
public:
    std::vector<std::string> Lines;
    int Clears = 0;
    int Depth = 0;
    int MaxDepth = 0;

    void Append(const std::string& line) override { Lines.push_back(line); }
    void Clear() override {
        Lines.clear();
        ++Clears;
    }
    void BeginUpdate() override { MaxDepth = std::max(MaxDepth, ++Depth); }
    void EndUpdate() override { --Depth; }
};

struct TShownBox {
    std::string Caption;
    std::string Text;
    TVxMsgIcon Icon;
    TVxMsgButtons Buttons;
    TVxMsgResult DefaultButton;
};

class TRecordingMessageBox : public IVxMessageBox {
public:
    std::vector<TShownBox> Boxes;
    TVxMsgResult Answer = TVxMsgResult::Ok;

    TVxMsgResult Show(const std::string& caption, const std::string& text, TVxMsgIcon icon,
                      TVxMsgButtons buttons, TVxMsgResult defaultButton) override {
        Boxes.push_back({caption, text, icon, buttons, defaultButton});
        return Answer;
    }
};
