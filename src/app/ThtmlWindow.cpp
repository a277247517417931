#include "app/ThtmlWindow.h"

#include "app/helpers/AppState.h"

#include <QApplication>
#include <QClipboard>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

ThtmlWindow::ThtmlWindow(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName("htmlWindow");
    setWindowTitle("HTML");
    auto* header = new QLabel("Required HTML");
    header->setObjectName("headerLabel");
    header->setAutoFillBackground(true);
    header->setStyleSheet("background: white; font-weight: bold; font-size: 12pt; padding: 10px;");

    auto* group = new QGroupBox("HTML");
    auto* text =
        new QLabel("You will need to put this html in the page you want your news to appear. Press the "
                   "Copy button to copy it to the clipboard, then open your web page and paste it where "
                   "you want the news to appear.");
    text->setWordWrap(true);
    m_code = new QPlainTextEdit;
    m_code->setObjectName("codeMemo");
    m_code->setReadOnly(true);
    m_flashNote = new QLabel(product::FlashNote);
    m_flashNote->setObjectName("flashNoteLabel");
    m_flashNote->setWordWrap(true);
    m_flashNote->hide();
    auto* copy = new QPushButton("Copy HTML to Clipboard");
    copy->setObjectName("copyButton");
    connect(copy, &QPushButton::clicked, this, [this] { btnCopyClick(); });
    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(text);
    groupLayout->addWidget(m_code, 1);
    groupLayout->addWidget(m_flashNote);
    groupLayout->addWidget(copy, 0, Qt::AlignLeft);

    auto* close = new QPushButton("Close");
    close->setObjectName("closeButton");
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(header);
    layout->addWidget(group, 1);
    layout->addWidget(close, 0, Qt::AlignRight);
    setFixedSize(520, 400);
}

void ThtmlWindow::setCode(const QString& code, bool flashNote)
{
    m_code->setPlainText(code);
    m_flashNote->setVisible(flashNote);
}

QString ThtmlWindow::code() const
{
    return m_code->toPlainText();
}

bool ThtmlWindow::flashNoteShown() const
{
    return !m_flashNote->isHidden();
}

void ThtmlWindow::btnCopyClick()
{
    m_code->selectAll();
    QApplication::clipboard()->setText(m_code->toPlainText());
}
