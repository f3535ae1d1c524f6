#pragma once

// The game served to a program, one request line at a time: the answers of
// `ridolt-sim serve`.  Trades are the game's own (its offers, its
// settlement with the win check), months the simulator's turn, so a served
// game is the game itself.  A refused request changes nothing.  Each
// answer is written as its list of fields (VxSimFields.h).
//
// Units in every answer: money in 万円 (10,000 yen), as the game keeps it;
// prices in yen per share; quantities in lots of 1000 shares, holdings
// also in shares.  The calendar is the one the player sees, from 1.

#include "game/VxMessageSinks.h"
#include "sim/VxSimGame.h"
#include "sim/VxSimJson.h"
#include "sim/VxSimRequest.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class TVxSimFields;

// Where the files that `save` requests name are written.  A server without
// one writes each where its path leads from the working folder.
class IVxSimSaveFolder {
public:
    virtual ~IVxSimSaveFolder() = default;
    // The file to write for a request's `path`.  Throws EVxFileError to
    // refuse it (the request fails with save_failed); anything else it
    // throws ends the session.
    virtual std::string FileFor(const std::string& path) = 0;
};

// The version of the protocol, in the hello line.  It grows when an answer
// loses or changes a field or a request changes its meaning; new fields and
// commands keep it.
inline constexpr int32_t VxSimProtocolVersion = 1;

class TVxSimServer {
public:
    // Serves `game`, started or loaded, for as long as the server lives;
    // its saves go where `saves` says, if given.
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

private:
    // What the game tells the player while a request runs: log lines and
    // message boxes, in order.
    class TMessages : public IVxMessageLog, public IVxMessageBox {
    public:
        void Append(const std::string& line) override { Lines.push_back(line); }
        void Clear() override {}
        void BeginUpdate() override {}
        void EndUpdate() override {}
        TVxMsgResult Show(const std::string&, const std::string& text, TVxMsgIcon, TVxMsgButtons,
                          TVxMsgResult defaultButton) override {
            Lines.push_back(text);
            return defaultButton;
        }
        std::vector<std::string> Lines;
    };

    void Execute(const TVxSimRequest& request);
    void State();
    void Offers(const TVxSimRequest& request);
    void Trade(const TVxSimRequest& request);
    void Next();
    void Save(const TVxSimRequest& request);
    void Error(std::string_view code, std::string_view message);

    // Fields that several answers share.
    void Calendar(TVxSimFields& fields) const;
    void Balance(TVxSimFields& fields) const;
    void Holdings(TVxSimFields& fields) const;
    void Messages(TVxSimFields& fields) const;

    TVxSimGame& FGame;
    IVxSimSaveFolder* FSaves;
    TVxSimJsonWriter FJson;
    TMessages FMessages;
    // The companies in ID order, whatever the market list's order.
    std::vector<TVxCompany*> FById;
    bool FQuit = false;
};
