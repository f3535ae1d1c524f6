#pragma once

// Test doubles for the game's seams: a random source that plays back
// scripted draws, a log and a message-box sink that record what they get,
// and a game wired to them over a market that stands still.

#include "game/VxGame.h"
#include "game/VxMessageSinks.h"
#include "game/VxRandom.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <deque>
#include <initializer_list>
#include <stdexcept>
#include <string>
#include <vector>

// Plays back scripted draws; once the script is used up every draw is
// `Fallback` (clamped to the range asked for), or with `Neutral` the draw
// that leaves a company as it was.  Records the range of every draw.
class TScriptedRandom : public IVxRandom {
public:
    std::deque<int32_t> Draws;
    int32_t Fallback = 0;
    bool Neutral = false;
    int Reseeds = 0;
    std::vector<int32_t> Ranges;

    void Reseed() override { ++Reseeds; }
    int32_t Random(int32_t n) override {
        Ranges.push_back(n);
        if (Draws.empty())
            return Neutral ? NeutralDraw(n) : std::min(Fallback, n - 1);
        const int32_t value = Draws.front();
        Draws.pop_front();
        if (value < 0 || value >= n)
            throw std::logic_error("scripted draw outside 0..n-1");
        return value;
    }

    // The month's draws of one company: r1 of Random(100), r2 of Random(3),
    // r3 of Random(41).
    void AddCompany(int32_t r1, int32_t r2, int32_t r3) { Draws.insert(Draws.end(), {r1, r2, r3}); }
    // Draws that leave `count` companies as they are.
    void AddNeutralCompanies(int32_t count) {
        for (int32_t i = 0; i < count; ++i)
            AddCompany(NeutralDraw(100), NeutralDraw(3), NeutralDraw(41));
    }

    // No move from the trend (r1 0), no drift (r2 2), no trend step (r3 20).
    static int32_t NeutralDraw(int32_t n) { return n == 3 ? 2 : n == 41 ? 20 : 0; }
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
    bool GameEnd; // of `Watched` while the box was up
};

class TRecordingMessageBox : public IVxMessageBox {
public:
    std::vector<TShownBox> Boxes;
    TVxMsgResult Answer = TVxMsgResult::Ok;
    const TVxGame* Watched = nullptr;

    TVxMsgResult Show(const std::string& caption, const std::string& text, TVxMsgIcon icon,
                      TVxMsgButtons buttons, TVxMsgResult defaultButton) override {
        Boxes.push_back(
            {caption, text, icon, buttons, defaultButton, Watched != nullptr && Watched->GameEnd});
        return Answer;
    }
};

// The whole save file of `game`: compared before and after an operation it
// shows whether anything stored has changed.
inline std::vector<uint8_t> SaveBytes(TVxGame& game) {
    TVxWriteStream stream;
    game.SaveToStream(stream);
    return stream.Bytes();
}

// Replaces the price history with `prices`, oldest first.
inline void SetPrices(TVxCompany& company, const std::vector<int32_t>& prices) {
    company.PriceHistory.Clear();
    for (const int32_t price : prices)
        company.PriceHistory.Add(price);
}

// Gives the player `count` shares of `company` for `cost` and lists it as held.
inline void Hold(TVxGame& game, TVxCompany& company, int32_t count, int32_t cost) {
    company.MyStockCount = count;
    company.MyStockCost = cost;
    game.RebuildOwnerList();
}

// A game wired to the recording doubles and started with neutral draws, so
// every company stands at 1000 yen with a trend of 0 in ID order; the log
// and the draws of the new game are cleared before the test begins.
class TStillMarketTest : public ::testing::Test {
protected:
    TVxGame game;
    TScriptedRandom random;
    TRecordingLog log;
    TRecordingMessageBox box;

    void SetUp() override { Restart(); }

    // A new game on the still market, with nothing recorded yet.
    void Restart() {
        random.Neutral = true;
        game.SetRandom(&random);
        game.MessageLog = &log;
        game.MessageBoxSink = &box;
        box.Watched = &game;
        game.NewGame();
        log.Lines.clear();
        log.MaxDepth = 0;
        box.Boxes.clear();
        random.Ranges.clear();
        random.Reseeds = 0;
    }

    TVxCompany& Company(int32_t index) { return *game.MarketList.Items(index); }
};
