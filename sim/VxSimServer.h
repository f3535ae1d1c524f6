#pragma once

// The game served to a program, one request line at a time: the answers of
// `ridolt-sim serve`.  Trades are the game's own (its offers, its
// settlement with the win check), months the simulator's turn, so a served
// game is the game itself.  A refused request changes nothing.  The
// answers are worked out as values (VxSimAnswers.h) and each is written as
// its list of fields (VxSimFields.h).
//
// Units in every answer: money in 万円 (10,000 yen), as the game keeps it;
// prices in yen per share; quantities in lots of 1000 shares, holdings
// also in shares.  The calendar is the one the player sees, from 1.

#include "sim/VxSimAnswers.h"
#include "sim/VxSimGame.h"
#include "sim/VxSimJson.h"
#include "sim/VxSimRequest.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class TVxSimFields;

// The version of the protocol, in the hello line.  It grows when an answer
// loses or changes a field or a request changes its meaning; new fields and
// commands keep it.
inline constexpr int32_t VxSimProtocolVersion = 1;

class TVxSimServer {
public:
    // Serves `game`, started or loaded, for as long as the server lives;
    // its saves go where `saves` says, if given (TVxSimAnswers).
    explicit TVxSimServer(TVxSimGame& game, IVxSimSaveFolder* saves = nullptr);
    ~TVxSimServer();
    TVxSimServer(const TVxSimServer&) = delete;
    TVxSimServer& operator=(const TVxSimServer&) = delete;

    // The first line: protocol and program version, seed, the game's rules
    // and where the game stands.
    std::string Hello();
    // The answer to one request line, without a line end; valid until the
    // next call.
    std::string_view Answer(std::string_view line);
    // A quit request was answered.
    bool Quit() const { return FQuit; }

    // The same game's answers as values, for a program that also plays it
    // request by request without JSON.
    TVxSimAnswers& Answers() { return FAnswers; }

private:
    void Execute(const TVxSimRequest& request);
    void State();
    void Offers(const TVxSimRequest& request);
    void Trade(const TVxSimRequest& request);
    void Next();
    void Save(const TVxSimRequest& request);
    void Error(std::string_view code, std::string_view message);

    // Fields that several answers share.
    void Calendar(TVxSimFields& fields) const;
    void Budget(TVxSimFields& fields, const TVxSimBudget& budget) const;
    void Holdings(TVxSimFields& fields, int64_t value,
                  const std::vector<TVxSimHolding>& holdings) const;
    void Messages(TVxSimFields& fields, const std::vector<std::string>& lines) const;

    TVxSimGame& FGame;
    TVxSimJsonWriter FJson;
    TVxSimAnswers FAnswers;
    bool FQuit = false;
};
