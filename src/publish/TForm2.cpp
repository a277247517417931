#include "publish/TForm2.h"

#include "app/helpers/AppState.h"
#include "app/helpers/Helpers.h"
#include "ticker/Fmovie.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

namespace {

// The published folder's upload files; they can be opened, and dragged to other programs.
class FileListWidget : public QListWidget {
public:
    using QListWidget::QListWidget;

protected:
    QMimeData* mimeData(const QList<QListWidgetItem*>& items) const override
    {
        auto* data = new QMimeData;
        QList<QUrl> urls;
        for (const QListWidgetItem* item : items)
            urls << QUrl::fromLocalFile(item->data(Qt::UserRole).toString());
        data->setUrls(urls);
        return data;
    }
};

QLabel* boldLabel(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    label->setWordWrap(true);
    return label;
}

} // namespace

TForm2::TForm2(Fmovie* ticker, QWidget* parent) : QDialog(parent), m_ticker(ticker)
{
    setObjectName("filesWindow");
    setWindowTitle("Files");
    auto* header = new QWidget(this);
    header->setStyleSheet("background: white;");
    auto* headerLayout = new QHBoxLayout(header);
    QLabel* icon = new QLabel(header);
    icon->setPixmap(style()->standardIcon(QStyle::SP_DriveNetIcon).pixmap(32, 32));
    headerLayout->addWidget(icon);
    headerLayout->addWidget(boldLabel("Files to Upload", header), 1);

    auto* required = new QGroupBox("Required Files", this);
    auto* requiredLayout = new QVBoxLayout(required);
    requiredLayout->addWidget(new QLabel(
        "When you put your news online you need to upload all of the files listed below:", required));
    requiredLayout->addWidget(new QLabel("These files are located in:", required));
    m_folderLink = new QLabel(required);
    m_folderLink->setObjectName("folderLinkLabel");
    m_folderLink->setAlignment(Qt::AlignCenter);
    m_folderLink->setWordWrap(true);
    m_folderLink->setCursor(Qt::PointingHandCursor);
    m_folderLink->setTextFormat(Qt::RichText);
    connect(m_folderLink, &QLabel::linkActivated, this, &TForm2::folderLinkClick);
    requiredLayout->addWidget(m_folderLink);
    m_files = new FileListWidget(required);
    m_files->setObjectName("filesListWidget");
    m_files->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_files->setDragEnabled(true);
    m_files->setDragDropMode(QAbstractItemView::DragOnly);
    connect(m_files, &QListWidget::itemActivated, this,
            [](QListWidgetItem* item) { OpenWithShell(item->data(Qt::UserRole).toString()); });
    requiredLayout->addWidget(m_files);

    auto* html = new QGroupBox("HTML", this);
    auto* htmlLayout = new QVBoxLayout(html);
    htmlLayout->addWidget(boldLabel(
        "You must copy and paste this code on every page you want your Tickerine to appear.", html));
    m_code = new QPlainTextEdit(html);
    m_code->setObjectName("codePlainTextEdit");
    m_code->setLineWrapMode(QPlainTextEdit::NoWrap);
    htmlLayout->addWidget(m_code);
    m_flashNote = new QLabel(product::FlashNote, html);
    m_flashNote->setObjectName("flashNoteLabel");
    m_flashNote->setWordWrap(true);
    m_flashNote->hide();
    htmlLayout->addWidget(m_flashNote);

    auto* upload = new QPushButton("Upload Now", this);
    upload->setObjectName("uploadNowButton");
    auto* copy = new QPushButton("Copy to Clipboard", this);
    copy->setObjectName("copyButton");
    connect(upload, &QPushButton::clicked, this, &TForm2::btnUploadNowClick);
    connect(copy, &QPushButton::clicked, this, &TForm2::btnCopyClick);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(upload);
    buttons->addWidget(copy);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(header);
    layout->addWidget(required, 1);
    layout->addWidget(html, 1);
    layout->addLayout(buttons);
    resize(560, 560);
}

void TForm2::showFilesToUpload()
{
    m_codeText = m_ticker ? m_ticker->EmbedCode(m_ticker->PlayerFileName) : QString();
    m_code->setPlainText(m_codeText);
    m_flashNote->setVisible(m_ticker && m_ticker->Player() == PlayerKind::Flash);
    m_uploadNow = false;
    exec();
    if (m_uploadNow && m_ticker)
        m_ticker->StartPublish();
}

void TForm2::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormShow();
}

void TForm2::FormShow()
{
    m_files->clear();
    if (!m_ticker)
        return;
    m_folder = m_ticker->PublishedFolder;
    QFileIconProvider icons;
    for (const QString& path : m_ticker->UploadFileList()) {
        const QFileInfo info(m_folder + QFileInfo(path).fileName());
        if (!info.isFile())
            continue;
        auto* item = new QListWidgetItem(icons.icon(info), info.fileName(), m_files);
        item->setData(Qt::UserRole, info.absoluteFilePath());
    }
    m_folderLink->setText(QString("<a href=\"folder\">%1</a>").arg(m_folder.toHtmlEscaped()));
}

QStringList TForm2::listedFiles() const
{
    QStringList names;
    for (int i = 0; i < m_files->count(); ++i)
        names << m_files->item(i)->text();
    return names;
}

void TForm2::btnUploadNowClick()
{
    m_uploadNow = true;
    accept();
}

void TForm2::btnCopyClick()
{
    m_code->selectAll();
    // The code as made, with its CR LF line ends; the box shows them as plain line breaks.
    QApplication::clipboard()->setText(m_codeText);
}

void TForm2::folderLinkClick()
{
    OpenWithShell(m_folder);
}

bool TForm2::flashNoteShown() const
{
    return !m_flashNote->isHidden();
}
