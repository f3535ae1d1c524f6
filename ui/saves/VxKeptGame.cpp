#include "ui/saves/VxKeptGame.h"

#include "game/VxGame.h"
#include "game/VxStream.h"
#include "ui/words/VxFileErrorText.h"

#include <QFile>

#include <algorithm>
#include <exception>
#include <span>
#include <vector>

namespace {

// Loads the file at `path` into `staging` as the window would load it; why
// it is refused, or an empty text.
QString Load(TVxGame& staging, const QString& path) {
    try {
        staging.LoadFromFile(QFile::encodeName(path).toStdString());
        return {};
    } catch (const std::exception&) {
        return LoadFailureReason(path, std::current_exception());
    }
}

// The game's save file with its companies in the order of their IDs: a
// game saved while its lists were sorted one way and kept while they were
// sorted another is the same game.
std::vector<uint8_t> SaveFileBytesByID(TVxGame& game) {
    TVxWriteStream whole;
    game.SaveToStream(whole);
    std::vector<const TVxCompany*> companies;
    for (int32_t i = 0; i < game.MarketList.Count(); ++i)
        companies.push_back(game.MarketList.Items(i));
    std::sort(companies.begin(), companies.end(),
              [](const TVxCompany* a, const TVxCompany* b) { return a->ID < b->ID; });
    TVxWriteStream stream;
    // The header and the fields up to the company count, as saved.
    stream.Write(std::span(whole.Bytes()).first(TVxGame::SaveFileSize(0)));
    for (const TVxCompany* company : companies)
        company->SaveToStream(stream);
    return stream.Bytes();
}

bool SameHistory(const TVxGameHistory& a, const TVxGameHistory& b) {
    return a.Seed() == b.Seed() && a.Origin() == b.Origin() && a.Months() == b.Months();
}

} // namespace

TVxKeptGame VxReadKeptGame(const QString& path, const QDateTime& lastPlayed) {
    TVxKeptGame kept;
    kept.Path = path;
    kept.LastPlayed = lastPlayed;
    TVxGame staging;
    kept.Damage = Load(staging, path);
    if (kept.Damage.isEmpty()) {
        kept.Summary = {staging.Year, staging.Month, staging.Money};
        kept.Seed = staging.History().Seed();
    }
    return kept;
}

bool VxHoldsKeptGame(TVxGame& game, const QString& path) {
    TVxGame staging;
    return Load(staging, path).isEmpty() && SameHistory(staging.History(), game.History()) &&
           SaveFileBytesByID(staging) == SaveFileBytesByID(game);
}
