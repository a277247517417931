#include "cli/Commands.h"
#include "cli/PublishCommand.h"

#include "app/helpers/AppState.h"
#include "ticker/Fmovie.h"

#include <QFileInfo>

const std::vector<CliCommand>& Commands()
{
    static const std::vector<CliCommand> commands = {
        {"save", "[--open SETTINGS] OUTPUT", &SaveCommand},
        {"preview", "[--open SETTINGS]", &PreviewCommand},
        {"code", "[--open SETTINGS] OUTPUT", &CodeCommand},
        {"render", "[--open SETTINGS] PNG", &RenderCommand},
        {"publish", PublishUsage, &PublishCommand},
    };
    return commands;
}

QString UsageText()
{
    QString text = QStringLiteral("Usage:\n");
    for (const CliCommand& command : Commands())
        text += QStringLiteral("  tickerine-cli %1 %2\n")
                    .arg(QLatin1String(command.name), QLatin1String(command.usage));
    return text;
}

int RunCommandLine(const QStringList& args, QTextStream& out, QTextStream& err)
{
    CliContext context{out, err};
    try {
        if (args.isEmpty())
            throw UsageError(QStringLiteral("No command given."));
        for (const CliCommand& command : Commands())
            if (args.first() == QLatin1String(command.name))
                return command.run(context, args.mid(1));
        throw UsageError(QStringLiteral("Unknown command \"%1\".").arg(args.first()));
    } catch (const UsageError& error) {
        err << error.message() << '\n' << UsageText();
        err.flush();
        return 2;
    } catch (const TickerineError& error) {
        err << error.message().simplified() << '\n';
        err.flush();
        return 1;
    }
}

CommandArgs ParseCommandArgs(const QStringList& args, int positionalCount)
{
    CommandArgs result;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args.at(i);
        if (arg == QLatin1String("--open")) {
            if (i + 1 >= args.size() || !result.settings.isEmpty())
                throw UsageError(QStringLiteral("--open needs one settings file."));
            result.settings = args.at(++i);
        } else if (arg.startsWith(QLatin1String("--"))) {
            throw UsageError(QStringLiteral("Unknown option \"%1\".").arg(arg));
        } else {
            result.positional.append(arg);
        }
    }
    if (result.positional.size() != positionalCount)
        throw UsageError(QStringLiteral("Wrong number of arguments."));
    return result;
}

std::unique_ptr<Fmovie> OpenTicker(const QString& settings)
{
    auto ticker = std::make_unique<Fmovie>();
    if (settings.isEmpty())
        return ticker;
    if (!QFileInfo(settings).isFile())
        throw IoError(QStringLiteral("Could not open \"%1\": the file does not exist.").arg(settings));
    ticker->ReadSettingsFile(QFileInfo(settings).absoluteFilePath());
    return ticker;
}

int SaveCommand(CliContext& context, const QStringList& args)
{
    const CommandArgs parsed = ParseCommandArgs(args, 1);
    auto ticker = OpenTicker(parsed.settings);
    ticker->SetOutputNames(QFileInfo(parsed.positional.first()).absoluteFilePath());
    ticker->SaveAllFiles(QString(), QString(), false);
    for (const QString& path : ticker->UploadFileList())
        context.out << path << '\n';
    return 0;
}

int PreviewCommand(CliContext& context, const QStringList& args)
{
    const CommandArgs parsed = ParseCommandArgs(args, 0);
    auto ticker = OpenTicker(parsed.settings);
    ticker->SavePreviewFiles();
    context.out << Folders().TempFolder + QStringLiteral("temp.html") << '\n';
    return 0;
}

int CodeCommand(CliContext& context, const QStringList& args)
{
    const CommandArgs parsed = ParseCommandArgs(args, 1);
    auto ticker = OpenTicker(parsed.settings);
    ticker->SetOutputNames(QFileInfo(parsed.positional.first()).absoluteFilePath());
    context.out << ticker->EmbedCode(ticker->PlayerFileName);
    return 0;
}
