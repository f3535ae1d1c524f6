// Writes a small seed corpus for VxGameLoadFuzz into the folder given as the
// only argument: sound save files, and cut and damaged variants of them that
// stop at each check of the loader.

#include "game/VxGame.h"

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace {

using TBytes = std::vector<uint8_t>;

void PutInt32(TBytes& bytes, size_t at, int32_t value) {
    for (size_t i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<uint8_t>(static_cast<uint32_t>(value) >> (8 * i));
}

TBytes SaveBytes(TVxGame& game) {
    TVxWriteStream stream;
    game.SaveToStream(stream);
    return stream.Bytes();
}

// A new game, or one in its fourth year with holdings and totals.
TBytes GameFile(bool played) {
    TVxGame game;
    TVxSeededRandom random(played ? 2 : 1);
    game.SetRandom(&random);
    game.NewGame();
    if (played) {
        game.Money = 150000;
        for (int32_t i = 0; i < 30; ++i)
            game.NextMonth();
        for (int32_t i = 0; i < game.MarketList.Count(); i += 50) {
            TVxCompany& company = *game.MarketList.Items(i);
            company.MyStockCount = (i % 7 + 1) * TradeLot;
            company.MyStockCost = company.StockPrice1000() * (i % 7 + 1);
        }
        game.RebuildOwnerList();
        game.SetIncome(5000);
        game.SetExpense(4200);
    }
    return SaveBytes(game);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    const TBytes fresh = GameFile(false);
    const TBytes played = GameFile(true);
    constexpr size_t Record = 414;

    const std::vector<std::pair<const char*, std::function<void(TBytes&)>>> variants = {
        {"sound",
         [](TBytes&) {
         }},
        {"cut-in-header",
         [](TBytes& b) {
             b.resize(100);
         }},
        {"cut-after-header",
         [](TBytes& b) {
             b.resize(382);
         }},
        {"cut-in-count",
         [](TBytes& b) {
             b.resize(412);
         }},
        {"cut-in-records",
         [](TBytes& b) {
             b.resize(Record + 62 * 500 + 30);
         }},
        {"one-byte-short",
         [](TBytes& b) {
             b.pop_back();
         }},
        {"one-byte-more",
         [](TBytes& b) {
             b.push_back(0);
         }},
        {"other-version",
         [](TBytes& b) {
             b[379] = '1';
         }},
        {"count-999",
         [](TBytes& b) {
             PutInt32(b, 410, 999);
         }},
        {"month-12",
         [](TBytes& b) {
             PutInt32(b, 382, 12);
         }},
        {"trend-101",
         [](TBytes& b) {
             PutInt32(b, Record, 101);
         }},
        {"id-twice",
         [](TBytes& b) {
             b[Record + 62 + 4] = b[Record + 4];
             b[Record + 62 + 5] = b[Record + 5];
         }},
        {"part-lot",
         [](TBytes& b) {
             PutInt32(b, Record + 6, 1500);
         }},
        {"price-0",
         [](TBytes& b) {
             PutInt32(b, Record + 14 + 44, 0);
         }},
    };
    int written = 0;
    for (const TBytes* base : {&fresh, &played}) {
        for (const auto& [name, change] : variants) {
            TBytes bytes = *base;
            change(bytes);
            const std::string path =
                folder + "/" + (base == &fresh ? "fresh-" : "played-") + name + ".sav";
            std::ofstream out(path, std::ios::binary | std::ios::trunc);
            out.write(reinterpret_cast<const char*>(bytes.data()),
                      static_cast<std::streamsize>(bytes.size()));
            if (!out) {
                std::perror(path.c_str());
                return 1;
            }
            ++written;
        }
    }
    std::printf("%d seed files in %s\n", written, folder.c_str());
    return 0;
}
