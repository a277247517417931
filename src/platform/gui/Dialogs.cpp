#include "platform/gui/Dialogs.h"

#include <QFileDialog>
#include <QQueue>

namespace Dialogs {
namespace {

struct TestSeam {
    QQueue<QMessageBox::StandardButton> buttons;
    QQueue<QString> fileNames;
    QList<Shown> shown;
    bool expectQueued = false;
};

TestSeam& seam()
{
    static TestSeam instance;
    return instance;
}

// Matches the main window's caption, which message boxes without a title of their own show.
QString& titleStorage()
{
    static QString title = QStringLiteral("Velmora RSS Tickerine 4.5");
    return title;
}

[[noreturn]] void unanswered(const Shown& dialog)
{
    qFatal("Dialogs: a %s dialog \"%s\" (%s) was shown without a queued answer", qPrintable(dialog.kind),
           qPrintable(dialog.title), qPrintable(dialog.text));
}

QMessageBox::StandardButton showMessage(QWidget* parent, QMessageBox::Icon icon, const QString& kind,
                                        const QString& title, const QString& text,
                                        QMessageBox::StandardButtons buttons,
                                        QMessageBox::StandardButton defaultButton)
{
    const QString caption = title.isEmpty() ? defaultTitle() : title;
    const Shown dialog{kind, caption, text, {}, {}};
    seam().shown.append(dialog);
    if (!seam().buttons.isEmpty())
        return seam().buttons.dequeue();
    if (seam().expectQueued)
        unanswered(dialog);
    QMessageBox box(icon, caption, text, buttons, parent);
    if (defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(defaultButton);
    return QMessageBox::StandardButton(box.exec());
}

// A queued answer, or std::nullopt when the real dialog must be shown.
std::optional<QString> queuedFileName(const Shown& dialog)
{
    seam().shown.append(dialog);
    if (!seam().fileNames.isEmpty())
        return seam().fileNames.dequeue();
    if (seam().expectQueued)
        unanswered(dialog);
    return std::nullopt;
}

QString runFileDialog(QWidget* parent, const FileDialogOptions& options, QFileDialog::AcceptMode mode)
{
    QFileDialog dialog(parent, options.title, options.folder, options.filter);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    if (!options.confirmOverwrite)
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (!options.fileName.isEmpty())
        dialog.selectFile(options.fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

QString fileDialog(QWidget* parent, const FileDialogOptions& options, const QString& kind,
                   QFileDialog::AcceptMode mode)
{
    const Shown dialog{kind, options.title, options.fileName, options.folder, options.filter};
    if (const auto answer = queuedFileName(dialog))
        return *answer;
    return runFileDialog(parent, options, mode);
}

} // namespace

QMessageBox::StandardButton information(QWidget* parent, const QString& title, const QString& text)
{
    return showMessage(parent, QMessageBox::Information, "information", title, text, QMessageBox::Ok,
                       QMessageBox::Ok);
}

QMessageBox::StandardButton warning(QWidget* parent, const QString& title, const QString& text)
{
    return showMessage(parent, QMessageBox::Warning, "warning", title, text, QMessageBox::Ok,
                       QMessageBox::Ok);
}

QMessageBox::StandardButton error(QWidget* parent, const QString& title, const QString& text)
{
    return showMessage(parent, QMessageBox::Critical, "error", title, text, QMessageBox::Ok, QMessageBox::Ok);
}

QMessageBox::StandardButton question(QWidget* parent, const QString& title, const QString& text,
                                     QMessageBox::StandardButtons buttons,
                                     QMessageBox::StandardButton defaultButton)
{
    return showMessage(parent, QMessageBox::Question, "question", title, text, buttons, defaultButton);
}

QString openFileName(QWidget* parent, const FileDialogOptions& options)
{
    return fileDialog(parent, options, "open", QFileDialog::AcceptOpen);
}

QString saveFileName(QWidget* parent, const FileDialogOptions& options)
{
    return fileDialog(parent, options, "save", QFileDialog::AcceptSave);
}

QString existingFolder(QWidget* parent, const QString& title, const QString& folder)
{
    const Shown dialog{"folder", title, folder, folder, {}};
    if (const auto answer = queuedFileName(dialog))
        return *answer;
    return QFileDialog::getExistingDirectory(parent, title, folder);
}

void queueButton(QMessageBox::StandardButton answer)
{
    seam().buttons.enqueue(answer);
}

void queueFileName(const QString& answer)
{
    seam().fileNames.enqueue(answer);
}

const QList<Shown>& shown()
{
    return seam().shown;
}

void clearQueue()
{
    seam().buttons.clear();
    seam().fileNames.clear();
    seam().shown.clear();
}

void expectQueued(bool on)
{
    seam().expectQueued = on;
}

int queuedAnswers()
{
    return int(seam().buttons.size() + seam().fileNames.size());
}

QString defaultTitle()
{
    return titleStorage();
}

void setDefaultTitle(const QString& title)
{
    titleStorage() = title;
}

} // namespace Dialogs
