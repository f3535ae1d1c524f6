// Feeds arbitrary bytes to the save-file loader.  A refused input must
// leave the game exactly as it was; an accepted one must save back to the
// very same bytes.  Anything else, and any exception other than the three
// refusals, is a crash.

#include "game/VxGame.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <vector>

namespace {

std::vector<uint8_t> SaveBytes(TVxGame& game) {
    TVxWriteStream stream;
    game.SaveToStream(stream);
    return stream.Bytes();
}

void Fail(const char* what) {
    std::fprintf(stderr, "VxGameLoadFuzz: %s\n", what);
    std::abort();
}

// A game in play with holdings, so that a refused load has something to
// damage and an accepted one something to replace.
struct TFuzzGame {
    TVxGame Game;
    std::vector<uint8_t> Baseline;

    TFuzzGame() {
        TVxSeededRandom random(20240601);
        Game.SetRandom(&random);
        Game.NewGame();
        Game.SetRandom(nullptr);
        for (int32_t i = 0; i < Game.MarketList.Count(); i += 97) {
            Game.MarketList.Items(i)->MyStockCount = 2000;
            Game.MarketList.Items(i)->MyStockCost = 250;
        }
        Game.RebuildOwnerList();
        Game.Money = 1234;
        Baseline = SaveBytes(Game);
    }

    void Restore() {
        TVxReadStream stream(Baseline);
        Game.LoadFromStream(stream);
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static TFuzzGame fuzz;
    TVxGame& game = fuzz.Game;
    game.GameEnd = true;
    const int32_t owned = game.OwnerList.Count();
    bool accepted = false;
    try {
        TVxReadStream stream(std::span<const uint8_t>(data, size));
        game.LoadFromStream(stream);
        accepted = true;
    } catch (const EAbort&) {
    } catch (const EReadError&) {
    } catch (const EVxLoadError&) {
    }

    if (accepted) {
        if (game.GameEnd)
            Fail("an accepted file left the game ended");
        if (SaveBytes(game) != std::vector<uint8_t>(data, data + size))
            Fail("an accepted file does not save back to the same bytes");
        fuzz.Restore();
    } else {
        if (!game.GameEnd || game.OwnerList.Count() != owned || SaveBytes(game) != fuzz.Baseline)
            Fail("a refused file changed the game");
    }
    return 0;
}
