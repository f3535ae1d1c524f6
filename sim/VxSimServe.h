#pragma once

// `serve` and `replay`: a served game over a pair of streams, its record,
// and a recorded session played again.
//
// A record is text, one line each: a JSON header with the seed (and the
// save file the session loaded), then "< " and the hello line, then for
// every request "> " and the request line as it came (a line too long to
// read is kept cut, which the game refuses alike) and "< " and its answer.

#include "sim/VxSimServer.h"

#include <cstdint>
#include <istream>
#include <optional>
#include <ostream>
#include <string>

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
// written there too.
void VxSimServe(TVxSimServer& server, const TVxSimSessionStart& start, std::istream& in,
                std::ostream& out, std::ostream* record);

// What a replay found.
struct TVxSimReplay {
    int64_t Answers = 0;         // hello included
    int64_t Differing = 0;       // answers not the same, byte for byte
    std::string FirstDifference; // the request, the recorded and the new answer
};

// A malformed record, or a save file it names that cannot be loaded.
class EVxSimRecordError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Plays the recorded session again in a new game and compares every
// answer.  Throws EVxSimRecordError.
TVxSimReplay VxSimReplay(std::istream& record);
