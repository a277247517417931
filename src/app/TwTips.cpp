#include "app/TwTips.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTextStream>
#include <QVBoxLayout>

TwTips::TwTips(const QString& programFolder, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint),
      m_programFolder(programFolder)
{
    setObjectName("wTips");
    setWindowTitle("Quick Tips");
    auto* page = new QWidget;
    page->setObjectName("tipPage");
    page->setAutoFillBackground(true);
    page->setStyleSheet(
        "#tipPage { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #87CEEB, stop:1 white); }");
    auto* pageLayout = new QVBoxLayout(page);
    auto* title = new QLabel("Tip of the Day");
    title->setStyleSheet("font-weight: bold; font-size: 14pt;");
    m_tip = new QLabel;
    m_tip->setObjectName("tipLabel");
    m_tip->setWordWrap(true);
    m_tip->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_tip->setMinimumSize(360, 120);
    pageLayout->addWidget(title);
    pageLayout->addWidget(m_tip, 1);

    m_showTips = new QCheckBox("Show Tips on Startup");
    m_showTips->setObjectName("showTipsCheckBox");
    m_showTips->setChecked(true);
    auto* previous = new QPushButton("Previous");
    previous->setObjectName("previousButton");
    auto* next = new QPushButton("Next");
    next->setObjectName("nextButton");
    auto* close = new QPushButton("Close");
    close->setObjectName("closeButton");
    close->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_showTips);
    buttons->addStretch(1);
    buttons->addWidget(previous);
    buttons->addWidget(next);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(page, 1);
    layout->addLayout(buttons);

    connect(next, &QPushButton::clicked, this, [this] { btnNextClick(); });
    connect(previous, &QPushButton::clicked, this, [this] { btnPreviousClick(); });
    connect(close, &QPushButton::clicked, this, [this] { btnCloseClick(); });
    connect(m_showTips, &QCheckBox::clicked, this, &TwTips::showTipsChanged);
    setFixedSize(sizeHint());
    FormCreate();
}

QString TwTips::TipsFilePath(const QString& programFolder)
{
    const QDir folder(programFolder);
    for (const QString& name : folder.entryList(QDir::Files))
        if (name.compare("TIPS.TXT", Qt::CaseInsensitive) == 0)
            return folder.filePath(name);
    return {};
}

void TwTips::FormCreate()
{
    m_path = TipsFilePath(m_programFolder);
    if (m_path.isEmpty())
        return;
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return;
    QTextStream in(&file);
    while (!in.atEnd())
        m_tips << in.readLine();
    // A file without a single line has no tip to show; the window then stays hidden.
    if (m_tips.isEmpty())
        return;
    const int count = int(m_tips.size());
    m_index = count > 1 ? int(QRandomGenerator::global()->bounded(count - 1)) : 0;
    showTip();
    show();
}

QString TwTips::tipText() const
{
    return m_tip->text();
}

int TwTips::NextIndex(int index, int count)
{
    ++index;
    return index >= count - 1 ? 0 : index;
}

int TwTips::PreviousIndex(int index, int count)
{
    --index;
    return index < 0 ? count - 1 : index;
}

void TwTips::showTip()
{
    if (m_index >= 0 && m_index < m_tips.size())
        m_tip->setText(m_tips.at(m_index));
}

void TwTips::btnNextClick()
{
    if (m_tips.isEmpty())
        return;
    m_index = NextIndex(m_index, int(m_tips.size()));
    showTip();
}

void TwTips::btnPreviousClick()
{
    if (m_tips.isEmpty())
        return;
    m_index = PreviousIndex(m_index, int(m_tips.size()));
    showTip();
}

void TwTips::btnCloseClick()
{
    close();
}

void TwTips::closeEvent(QCloseEvent* event)
{
    finish();
    QDialog::closeEvent(event);
}

void TwTips::done(int result)
{
    finish();
    QDialog::done(result);
}

void TwTips::finish()
{
    if (m_finished)
        return;
    m_finished = true;
    m_tips.clear();
    // A failing rename is passed over: the window then simply shows again next time.
    if (!m_showTips->isChecked() && !m_path.isEmpty())
        QFile::rename(m_path, m_programFolder + "tips2.txt");
}
