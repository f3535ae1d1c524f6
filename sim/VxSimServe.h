#pragma once

// `serve` and `replay`: a served game over a pair of streams, its record,
// and a recorded session played again.
//
// A record is text, one line each: a JSON header with the record's version,
// the seed (and the save file the session loaded), then "< " and the hello
// line, then for every request "> " and the request line as it came (a
// line too long to read is kept cut, which the game refuses alike) and
// "< " and its answer.  A session that ends as it should (at the end of
// its input or after quit) closes the record with "= " and a JSON object
// that counts the answers, hello included:
//
//     {"ridolt_sim_record":2,"seed":9}
//     < {"hello":{...}}
//     > {"cmd":"next"}
//     < {"ok":true,...}
//     = {"complete":true,"answers":2}
//
// A record without that line was cut off: the server was killed, its
// output failed, or the file was cut.  Records of version 1, from before
// the closing line, have none; they replay as before.  Lines may end in
// CR LF as well, as a record converted for Windows does.

#include "sim/VxSimServer.h"

#include <cstdint>
#include <istream>
#include <optional>
#include <ostream>
#include <string>
#include <utility>

// Request lines from a stream; none is held in memory beyond
// VxSimMaxRequestLength + 1 bytes, however long it is.
class TVxSimLineReader {
public:
    explicit TVxSimLineReader(std::istream& in) : FIn(in) {}
    // The next line without its end ("\n"); a last line without one counts.
    // A longer line is read to its end and handed over cut to one byte more
    // than the limit.  False at the end of the input.
    bool Next(std::string& line);

private:
    std::istream& FIn;
};

// How the served game began.
struct TVxSimSessionStart {
    uint64_t Seed = 0;
    std::optional<std::string> Load; // the save file it continued
};

// Serves until the input ends or a quit is answered: the hello line, then
// one answer per request line, each flushed.  With `record`, the session is
// written there too.  Throws EVxSimOutputError when `out` fails; the
// session ends there, and its record stays unclosed.
void VxSimServe(TVxSimServer& server, const TVxSimSessionStart& start, std::istream& in,
                std::ostream& out, std::ostream* record);

// The version of the records serve writes: 2 closes a whole session.
inline constexpr int32_t VxSimRecordVersion = 2;

// What a replay found.
struct TVxSimReplay {
    int32_t Version = VxSimRecordVersion;
    int64_t Answers = 0;         // compared, hello included
    int64_t Differing = 0;       // answers not the same, byte for byte
    std::string FirstDifference; // the request, the recorded and the new answer
    // Empty for a whole record; otherwise where the record stops short of
    // the line that closes a session.  The answers before it are compared.
    std::string Cut;
};

// A malformed record, a save file it names that cannot be loaded, or a
// save it asks for outside the replay's folder.
class EVxSimRecordError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The folder a replay writes the saves of its record into: the record's
// `save` requests name files inside it, never a path of their own, so a
// record from someone else writes only where its reader says.  A path
// that is absolute or climbs out with ".." ends the replay
// (EVxSimRecordError); the folders a relative path names are made inside.
// Without a folder of the reader's, a fresh temporary folder is made at
// the first save and told on `note`.  The save file the recorded session
// loaded is never replaced: a replay of the record needs it as it was.
class TVxSimReplayFolder : public IVxSimSaveFolder {
public:
    TVxSimReplayFolder(std::optional<std::string> folder, std::ostream& note)
        : FFolder(std::move(folder)), FNote(note) {}

    std::string FileFor(const std::string& path) override;
    void SetLoaded(std::optional<std::string> loaded) { FLoaded = std::move(loaded); }

private:
    std::optional<std::string> FFolder;
    std::optional<std::string> FLoaded;
    std::ostream& FNote;
};

// Plays the recorded session again in a new game, its saves written into
// `saves`, and compares every answer.  Throws EVxSimRecordError for a
// record it cannot follow; a record cut short is replayed as far as it
// goes.
TVxSimReplay VxSimReplay(std::istream& record, TVxSimReplayFolder& saves);
