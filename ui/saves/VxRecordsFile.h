#pragma once

// The record of finished games kept by the window: records.txt in the save
// folder, beside the slots (its format in game/VxGameRecords.h).  A game
// that ends adds its record; ゲーム → 記録 reads them.
//
// The file is replaced whole and atomically (VxReplaceFile), so a crash
// leaves the records before or after the new one.  A file that is not one
// of ours or is damaged is set aside, renamed to
// "records.txt.damaged-20250601-210405" beside it, and the player is told
// where: it is never overwritten or deleted.  A file that cannot be read
// is left alone, and no record is added to it.

#include "game/VxGameRecords.h"

#include <QString>

#include <vector>

class TVxRecordsFile {
public:
    // records.txt in the save folder.
    static QString Path();

    struct TRead {
        std::vector<TVxGameRecord> Records;
        // What the player is to be told: a damaged file set aside, a file
        // that cannot be read; empty when all went well.
        QString Notice;
        // The records can be written back with one more.
        bool Writable = true;
    };
    // The records kept so far (none without a file).
    static TRead Read();

    // Keeps `record` after those kept so far; what the player is to be told
    // (as Read, or a file that could not be written), empty when all went
    // well.
    static QString Add(const TVxGameRecord& record);

    // Now, as a record's date: the local time with its offset from UTC.
    static std::string Now();
};
