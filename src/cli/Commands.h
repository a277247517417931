#pragma once

#include "platform/Errors.h"

#include <QString>
#include <QStringList>
#include <QTextStream>

#include <memory>
#include <vector>

class Fmovie;

// The headless command line: a table of commands on the same ticker code as the program.
// A command is added with one line in Commands() (Commands.cpp) and a function of this form.
struct CliContext {
    QTextStream& out;
    QTextStream& err;
};

struct CliCommand {
    const char* name;
    const char* usage; // the arguments after the name, for the usage text
    int (*run)(CliContext& context, const QStringList& args);
};

// Wrong arguments: the command line prints the usage text and ends with status 2.
class UsageError : public TickerineError {
public:
    using TickerineError::TickerineError;
};

const std::vector<CliCommand>& Commands();
// args without the program name. Exit status: 0 done, 1 a file could not be read or
// written (message on err), 2 wrong arguments (usage on err).
int RunCommandLine(const QStringList& args, QTextStream& out, QTextStream& err);
QString UsageText();

// Shared by the commands: the arguments after the command name, split into the value of
// "--open" (empty when not given) and the remaining positional arguments.
struct CommandArgs {
    QString settings;
    QStringList positional;
};
CommandArgs ParseCommandArgs(const QStringList& args, int positionalCount);
// A new ticker without windows; with a settings path, that file read into it. A settings
// file that is missing raises IoError.
std::unique_ptr<Fmovie> OpenTicker(const QString& settings);

int SaveCommand(CliContext& context, const QStringList& args);
int PreviewCommand(CliContext& context, const QStringList& args);
int CodeCommand(CliContext& context, const QStringList& args);
int RenderCommand(CliContext& context, const QStringList& args);
