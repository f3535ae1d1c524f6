// Feeds arbitrary bytes to a served game as one request line.  Every answer
// must be one line of JSON, an object with "ok"; a refused request must
// leave the game exactly as it was, and a line with a NUL byte anywhere is
// refused as not JSON.  Save requests are only read, never carried out:
// the fuzzer would write files wherever its paths lead.

#include "game/VxStream.h"
#include "sim/VxSimRequest.h"
#include "sim/VxSimServer.h"

#include <rapidjson/document.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string_view>
#include <vector>

namespace {

std::vector<uint8_t> SaveBytes(TVxGame& game) {
    TVxWriteStream stream;
    game.SaveToStream(stream);
    return stream.Bytes();
}

void Fail(const char* what, std::string_view answer) {
    std::fprintf(stderr, "VxSimRequestFuzz: %s\n%.*s\n", what, static_cast<int>(answer.size()),
                 answer.data());
    std::abort();
}

// A game in play with holdings, so that trades and months have something
// to change; put back when a request ends it.
struct TFuzzServer {
    TVxSimGame Game{20240601};
    std::unique_ptr<TVxSimServer> Server;
    std::vector<uint8_t> Baseline;

    TFuzzServer() {
        Game.NewGame();
        Server = std::make_unique<TVxSimServer>(Game);
        for (const char* line : {R"({"cmd":"buy","id":5,"lots":3})",
                                 R"({"cmd":"buy","id":17,"lots":2})", R"({"cmd":"next"})"})
            Server->Answer(line);
        Baseline = SaveBytes(Game.Game());
    }

    void Restart() {
        Server.reset();
        TVxReadStream stream(Baseline);
        Game.Game().LoadFromStream(stream);
        Server = std::make_unique<TVxSimServer>(Game);
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static TFuzzServer fuzz;
    std::string_view line(reinterpret_cast<const char*>(data), size);
    // The server is handed lines without their end.
    line = line.substr(0, line.find('\n'));
    try {
        if (VxSimReadRequest(line).Command == TVxSimCommand::Save)
            return 0;
    } catch (const EVxSimRequestError&) {
    }

    const std::vector<uint8_t> before = SaveBytes(fuzz.Game.Game());
    const std::string_view answer = fuzz.Server->Answer(line);
    if (answer.find('\n') != std::string_view::npos)
        Fail("an answer spans more than one line", answer);
    rapidjson::Document parsed;
    parsed.Parse<rapidjson::kParseValidateEncodingFlag>(answer.data(), answer.size());
    if (parsed.HasParseError() || !parsed.IsObject() || !parsed.HasMember("ok") ||
        !parsed["ok"].IsBool())
        Fail("an answer is not a JSON object with \"ok\"", answer);
    if (!parsed["ok"].GetBool() && SaveBytes(fuzz.Game.Game()) != before)
        Fail("a refused request changed the game", answer);
    if (line.find('\0') != std::string_view::npos &&
        (!parsed.HasMember("error") || parsed["error"] != "not_json"))
        Fail("a line with a NUL byte is not refused as not JSON", answer);
    if (fuzz.Game.Game().GameEnd || fuzz.Server->Quit())
        fuzz.Restart();
    return 0;
}
