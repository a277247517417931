#include "cli/Commands.h"

#include "ticker/Fmovie.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QImageWriter>
#include <QPixmap>

namespace {

// The canvas lays out the entry style's sample lines while it paints, so the first grab
// places them and the second shows them where the Designer does.
QImage PaintTicker(Fmovie& ticker)
{
    ticker.ensurePolished();
    QCoreApplication::processEvents();
    ticker.grab();
    return ticker.grab().toImage();
}

void WritePng(const QImage& image, const QString& path)
{
    QImageWriter writer(path, "png");
    if (!writer.write(image))
        throw IoError(QStringLiteral("Could not write \"%1\": %2").arg(path, writer.errorString()));
}

} // namespace

int RenderCommand(CliContext& context, const QStringList& args)
{
    const CommandArgs parsed = ParseCommandArgs(args, 1);
    auto ticker = OpenTicker(parsed.settings);
    const QString target = QFileInfo(parsed.positional.first()).absoluteFilePath();
    WritePng(PaintTicker(*ticker), target);
    context.out << target << '\n';
    return 0;
}
