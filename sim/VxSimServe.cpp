#include "sim/VxSimServe.h"

#include "sim/VxSimJson.h"
#include "sim/VxSimSaveFileReport.h"

#include <rapidjson/document.h>

#include <exception>
#include <stdexcept>
#include <string_view>

namespace {

constexpr std::string_view RequestMark = "> ";
constexpr std::string_view AnswerMark = "< ";

std::string HeaderLine(const TVxSimSessionStart& start) {
    TVxSimJsonWriter json;
    json.BeginObject();
    json.Key("ridolt_sim_record");
    json.Number(int32_t{1});
    json.Key("seed");
    json.Number(start.Seed);
    if (start.Load) {
        json.Key("load");
        json.String(*start.Load);
    }
    json.EndObject();
    return std::string(json.Text());
}

TVxSimSessionStart ReadHeader(const std::string& line) {
    rapidjson::Document header;
    header.Parse<rapidjson::kParseIterativeFlag>(line.data(), line.size());
    if (header.HasParseError() || !header.IsObject() || !header.HasMember("ridolt_sim_record") ||
        !header["ridolt_sim_record"].IsInt() || header["ridolt_sim_record"].GetInt() != 1 ||
        !header.HasMember("seed") || !header["seed"].IsUint64())
        throw EVxSimRecordError("not a record of ridolt-sim serve (its first line differs)");
    TVxSimSessionStart start;
    start.Seed = header["seed"].GetUint64();
    if (header.HasMember("load")) {
        if (!header["load"].IsString())
            throw EVxSimRecordError("the record's \"load\" is not a file name");
        start.Load = std::string(header["load"].GetString(), header["load"].GetStringLength());
    }
    return start;
}

// The recorded line after `mark`; throws when the record ends or the line
// has another mark.
std::string Marked(std::istream& record, std::string_view mark, int64_t& lineNumber) {
    std::string line;
    if (!std::getline(record, line))
        throw EVxSimRecordError("the record ends after line " + std::to_string(lineNumber) +
                                ", where a line beginning \"" + std::string(mark) +
                                "\" should follow");
    ++lineNumber;
    if (!line.starts_with(mark))
        throw EVxSimRecordError("line " + std::to_string(lineNumber) +
                                " of the record should begin \"" + std::string(mark) + "\"");
    return line.substr(mark.size());
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
    out << hello << '\n' << std::flush;
    if (record)
        *record << HeaderLine(start) << '\n' << AnswerMark << hello << '\n' << std::flush;
    TVxSimLineReader reader(in);
    std::string line;
    while (!server.Quit() && reader.Next(line)) {
        const std::string_view answer = server.Answer(line);
        out << answer << '\n' << std::flush;
        if (record)
            *record << RequestMark << line << '\n' << AnswerMark << answer << '\n' << std::flush;
    }
}

TVxSimReplay VxSimReplay(std::istream& record) {
    std::string line;
    if (!std::getline(record, line))
        throw EVxSimRecordError("the record is empty");
    const TVxSimSessionStart start = ReadHeader(line);
    int64_t lineNumber = 1;

    TVxSimGame game(start.Seed);
    if (start.Load) {
        try {
            game.Load(*start.Load);
        } catch (...) {
            throw EVxSimRecordError(VxSimLoadErrorText(*start.Load, std::current_exception()));
        }
    } else {
        game.NewGame();
    }
    TVxSimServer server(game);
    TVxSimReplay replay;
    Compare(replay, "(hello)", Marked(record, AnswerMark, lineNumber), server.Hello());
    while (std::getline(record, line)) {
        ++lineNumber;
        if (!line.starts_with(RequestMark))
            throw EVxSimRecordError("line " + std::to_string(lineNumber) +
                                    " of the record should begin \"> \"");
        const std::string request = line.substr(RequestMark.size());
        const std::string recorded = Marked(record, AnswerMark, lineNumber);
        Compare(replay, request, recorded, server.Answer(request));
    }
    return replay;
}
