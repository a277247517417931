#include "app/TpreviewWindow.h"

#include "app/PreviewScheme.h"

#include <QVBoxLayout>
#include <QWebEngineProfile>
#include <QWebEngineView>

TpreviewWindow::TpreviewWindow(const QString& folder, QWidget* parent)
    : QWidget(parent, Qt::Window), m_folder(folder)
{
    setObjectName("previewWindow");
    setWindowTitle("Preview");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
}

void TpreviewWindow::createBrowser()
{
    m_view = new QWebEngineView(this);
    m_view->setObjectName("previewBrowser");
    QWebEngineProfile* profile = m_view->page()->profile();
    if (!profile->urlSchemeHandler(preview::Scheme))
        profile->installUrlSchemeHandler(preview::Scheme, new preview::SchemeHandler(m_folder, profile));
    layout()->addWidget(m_view);
}

void TpreviewWindow::ShowPreview(const QString& pageFileName, int tickerWidth, int tickerHeight)
{
    if (!m_view)
        createBrowser();
    resize(tickerWidth + 80, tickerHeight + 55);
    if (!isVisible() && parentWidget()) {
        const QRect owner = parentWidget()->window()->frameGeometry();
        move(owner.center() - rect().center());
    }
    m_view->setUrl(preview::PageUrl(pageFileName));
    show();
    raise();
}
