#pragma once

// The game's command line: at most one path to open, or --help / --version.
// Only the first non-empty argument counts: an empty pair of quotes is no
// argument, and whatever follows the first one is ignored.  Anything that
// is not one of the two options, even if it starts with "-", is the path.

#include <QString>
#include <QStringList>

enum class TVxStartAction { Run, ShowHelp, ShowVersion };

struct TVxCommandLine {
    TVxStartAction Action = TVxStartAction::Run;
    // Absolute, so that a running instance with another working folder
    // opens the same file; empty when no path was given.
    QString Path;
};

// `arguments` as QCoreApplication::arguments() gives them, program first.
TVxCommandLine ParseCommandLine(const QStringList& arguments);

// The texts for --help (usage of `programName`) and --version.
QString CommandLineHelpText(const QString& programName);
QString CommandLineVersionText();
