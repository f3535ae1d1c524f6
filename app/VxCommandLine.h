#pragma once

// The game's command line: the seed of the first game, the language of its
// words, at most one path to open, or --help / --version.
//
// `--seed N` (or `--seed=N`) and `--language ja|en` (or `--language=en`)
// may stand before everything else, any number of times (the last one of
// each counts).  After the seeds only the first non-empty
// argument counts: an empty pair of quotes is no argument, and whatever
// follows the first one is ignored.  It is --help, --version or the path;
// anything else that starts with "-" is an unknown option, a usage error.
// A path that starts with "-" follows "--" ("-- -game.sav"); "-" alone is
// a path.

#include "app/VxLanguage.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

enum class TVxStartAction { Run, ShowHelp, ShowVersion, ShowUsageError };

struct TVxCommandLine {
    TVxStartAction Action = TVxStartAction::Run;
    // Absolute, so that a running instance with another working folder
    // opens the same file; empty when no path was given.
    QString Path;
    // The seed the first game's market is drawn from; none: one is drawn.
    std::optional<uint64_t> Seed;
    // The language `--language` asks for; none: the environment's.
    std::optional<TVxLanguage> Language;
    // What is wrong with the command line, for ShowUsageError.
    QString Error;
    // The error is an option this parser does not know.  Before Qt has
    // taken its own options out (-platform, -style ...) it may be one of
    // them.
    bool UnknownOption = false;
};

// `arguments` as QCoreApplication::arguments() gives them, program first.
TVxCommandLine ParseCommandLine(const QStringList& arguments);

// The texts for --help (usage of `programName`) and --version.
QString CommandLineHelpText(const QString& programName);
QString CommandLineVersionText();
