#include "sim/VxSimServe.h"

#include "game/VxFileKind.h"
#include "sim/VxSimFields.h"
#include "sim/VxSimJson.h"
#include "sim/VxSimOutput.h"
#include "sim/VxSimSaveFileReport.h"

#include <rapidjson/document.h>

#include <cstdlib>
#include <exception>
#include <filesystem>
#include <stdexcept>
#include <string_view>

namespace {

constexpr std::string_view RequestMark = "> ";
constexpr std::string_view AnswerMark = "< ";
constexpr std::string_view ClosingMark = "= ";

std::string HeaderLine(const TVxSimSessionStart& start) {
    TVxSimJsonWriter json;
    {
        TVxSimFields header(json);
        header.Field("ridolt_sim_record", VxSimRecordVersion).Field("seed", start.Seed);
        if (start.Load)
            header.Field("load", *start.Load);
    }
    return std::string(json.Text());
}

std::string ClosingLine(int64_t answers) {
    TVxSimJsonWriter json;
    TVxSimFields(json).Field("complete", true).Field("answers", answers);
    return std::string(ClosingMark) + std::string(json.Text());
}

// Writes `text` and the end of its line, flushed.
void WriteLine(std::ostream& out, std::string_view text) {
    VxSimWrite(out, text);
    VxSimWrite(out, "\n", true);
}

struct THeader {
    int32_t Version = 0;
    TVxSimSessionStart Start;
};

THeader ReadHeader(const std::string& line) {
    rapidjson::Document header;
    header.Parse<rapidjson::kParseIterativeFlag>(line.data(), line.size());
    if (header.HasParseError() || !header.IsObject() || !header.HasMember("ridolt_sim_record") ||
        !header["ridolt_sim_record"].IsInt() || !header.HasMember("seed") ||
        !header["seed"].IsUint64())
        throw EVxSimRecordError("not a record of ridolt-sim serve (its first line differs)");
    THeader result;
    result.Version = header["ridolt_sim_record"].GetInt();
    if (result.Version < 1 || result.Version > VxSimRecordVersion)
        throw EVxSimRecordError("a record of version " + std::to_string(result.Version) +
                                "; this ridolt-sim reads versions 1 to " +
                                std::to_string(VxSimRecordVersion));
    result.Start.Seed = header["seed"].GetUint64();
    if (header.HasMember("load")) {
        if (!header["load"].IsString())
            throw EVxSimRecordError("the record's \"load\" is not a file name");
        result.Start.Load =
            std::string(header["load"].GetString(), header["load"].GetStringLength());
    }
    return result;
}

// The lines of a record, one at a time, without their ends ("\n", or
// "\r\n" in a record whose first line ends so).
class TRecordLines {
public:
    explicit TRecordLines(std::istream& in) : FIn(in) {}

    // The next whole line.  False at the end of the record, and at a last
    // line without its end: a line cut short is not handed over.
    bool Next(std::string& line) {
        if (!std::getline(FIn, line))
            return false;
        if (FIn.eof()) {
            FCutInLine = true;
            return false;
        }
        if (++FNumber == 1)
            FCrLf = line.ends_with('\r');
        if (FCrLf && line.ends_with('\r'))
            line.pop_back();
        return true;
    }

    // The next line, which must begin with `mark`, without the mark; false
    // as Next.
    bool NextMarked(std::string& line, std::string_view mark) {
        if (!Next(line))
            return false;
        if (!line.starts_with(mark))
            throw EVxSimRecordError("line " + std::to_string(FNumber) +
                                    " of the record should begin \"" + std::string(mark) + "\"");
        line.erase(0, mark.size());
        return true;
    }

    // Where the record stopped short: `expected` names what should follow.
    std::string CutAt(const std::string& expected) const {
        if (FCutInLine)
            return "it stops inside line " + std::to_string(FNumber + 1);
        return "it ends after line " + std::to_string(FNumber) + ", where " + expected +
               " should follow";
    }

    int64_t Number() const { return FNumber; }
    bool CutInLine() const { return FCutInLine; }

private:
    std::istream& FIn;
    int64_t FNumber = 0; // whole lines read
    bool FCrLf = false;
    bool FCutInLine = false;
};

// Checks the closing line (without its mark) against the answers compared.
void CheckClosing(const std::string& line, int64_t lineNumber, int64_t answers) {
    rapidjson::Document closing;
    closing.Parse(line.data(), line.size());
    if (closing.HasParseError() || !closing.IsObject() || !closing.HasMember("complete") ||
        !closing["complete"].IsTrue() || !closing.HasMember("answers") ||
        !closing["answers"].IsInt64())
        throw EVxSimRecordError("line " + std::to_string(lineNumber) +
                                " of the record is no closing line");
    if (closing["answers"].GetInt64() != answers)
        throw EVxSimRecordError("the record's closing line counts " +
                                std::to_string(closing["answers"].GetInt64()) + " answers, but " +
                                std::to_string(answers) + " are recorded");
}

void Compare(TVxSimReplay& replay, std::string_view request, const std::string& recorded,
             std::string_view now) {
    ++replay.Answers;
    if (recorded == now)
        return;
    if (replay.Differing++ == 0)
        replay.FirstDifference = "request:  " + std::string(request) + "\nrecorded: " + recorded +
                                 "\nnow:      " + std::string(now);
}

} // namespace

bool TVxSimLineReader::Next(std::string& line) {
    line.clear();
    std::streambuf& in = *FIn.rdbuf();
    bool any = false;
    for (int c = in.sbumpc(); c != std::char_traits<char>::eof(); c = in.sbumpc()) {
        any = true;
        if (c == '\n')
            return true;
        if (line.size() <= VxSimMaxRequestLength)
            line += static_cast<char>(c);
    }
    return any;
}

void VxSimServe(TVxSimServer& server, const TVxSimSessionStart& start, std::istream& in,
                std::ostream& out, std::ostream* record) {
    const std::string hello = server.Hello();
    if (record)
        *record << HeaderLine(start) << '\n' << AnswerMark << hello << '\n' << std::flush;
    WriteLine(out, hello);
    int64_t answers = 1;
    TVxSimLineReader reader(in);
    std::string line;
    while (!server.Quit() && reader.Next(line)) {
        const std::string_view answer = server.Answer(line);
        ++answers;
        if (record)
            *record << RequestMark << line << '\n' << AnswerMark << answer << '\n' << std::flush;
        WriteLine(out, answer);
    }
    if (record)
        *record << ClosingLine(answers) << '\n' << std::flush;
}

std::string TVxSimReplayFolder::FileFor(const std::string& path) {
    const std::filesystem::path relative(path);
    if (relative.is_absolute())
        throw EVxSimRecordError("the record saves to the absolute path \"" + path +
                                "\"; a replay saves only into its folder (--into)");
    for (const std::filesystem::path& part : relative)
        if (part == "..")
            throw EVxSimRecordError("the record saves to \"" + path +
                                    "\", which climbs out of the replay's folder with \"..\"");
    if (!FFolder) {
        std::error_code error;
        std::string folder =
            (std::filesystem::temp_directory_path(error) / "ridolt-replay-XXXXXX").string();
        if (::mkdtemp(folder.data()) == nullptr)
            VxThrowErrno(path);
        FFolder = folder;
        FNote << "ridolt-sim: replay: the record's saves are written to " << folder << std::endl;
    }
    const std::filesystem::path file = std::filesystem::path(*FFolder) / relative;
    // A folder that cannot be made shows in the save that follows.
    std::error_code error;
    std::filesystem::create_directories(file.parent_path(), error);
    if (FLoaded && std::filesystem::equivalent(file, *FLoaded, error))
        throw EVxFileError(TVxKindRefusal::IsLoadedSave, path);
    return file.string();
}

TVxSimReplay VxSimReplay(std::istream& record, TVxSimReplayFolder& saves) {
    TRecordLines lines(record);
    std::string line;
    if (!lines.Next(line))
        throw EVxSimRecordError("the record is empty");
    const THeader header = ReadHeader(line);

    TVxSimGame game(header.Start.Seed);
    if (header.Start.Load) {
        try {
            game.Load(*header.Start.Load);
        } catch (...) {
            throw EVxSimRecordError(
                VxSimLoadErrorText(*header.Start.Load, std::current_exception()));
        }
    } else {
        game.NewGame();
    }
    saves.SetLoaded(header.Start.Load);
    TVxSimServer server(game, &saves);
    TVxSimReplay replay;
    replay.Version = header.Version;
    if (!lines.NextMarked(line, AnswerMark)) {
        replay.Cut = lines.CutAt("the hello");
        return replay;
    }
    Compare(replay, "(hello)", line, server.Hello());
    const bool closes = header.Version >= 2;
    while (lines.Next(line)) {
        if (closes && line.starts_with(ClosingMark)) {
            const int64_t closing = lines.Number();
            CheckClosing(line.substr(ClosingMark.size()), closing, replay.Answers);
            if (lines.Next(line) || lines.CutInLine())
                throw EVxSimRecordError("the record goes on after its closing line, line " +
                                        std::to_string(closing));
            return replay;
        }
        if (!line.starts_with(RequestMark))
            throw EVxSimRecordError("line " + std::to_string(lines.Number()) +
                                    " of the record should begin \"> \"");
        const std::string request = line.substr(RequestMark.size());
        std::string recorded;
        if (!lines.NextMarked(recorded, AnswerMark)) {
            replay.Cut = lines.CutAt("the answer");
            return replay;
        }
        Compare(replay, request, recorded, server.Answer(request));
    }
    // A record of version 1 cut between two answers looks whole.
    if (closes || lines.CutInLine())
        replay.Cut = lines.CutAt("a request or the closing line");
    return replay;
}
