#pragma once

#include <QWidget>

class QWebEngineView;
namespace preview {
class SchemeHandler;
}

// "Preview": the ticker in an embedded browser. The browser is made on the first preview,
// never at start-up, since it is by far the heaviest part of the program.
class TpreviewWindow : public QWidget {
    Q_OBJECT
public:
    // folder: the temporary folder whose files the browser is served.
    explicit TpreviewWindow(const QString& folder, QWidget* parent = nullptr);

    // Opens the page of the preview set at a client area of width + 80 by height + 55 and
    // shows the window without waiting.
    void ShowPreview(const QString& pageFileName, int tickerWidth, int tickerHeight);
    bool browserCreated() const { return m_view != nullptr; }
    QWebEngineView* browser() const { return m_view; }

private:
    void createBrowser();

    QString m_folder;
    QWebEngineView* m_view = nullptr;
};
