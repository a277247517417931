#pragma once

#include "sources/core/FRSSsiteData.h"

#include <QDialog>

class QLabel;
class QPushButton;

// "News Feed": shows one feed's title, description and addresses; a click on an address
// opens it in the desktop's browser. Not modal; refilled by every ShowFeed.
class Tfeedinfowin : public QDialog {
    Q_OBJECT
public:
    explicit Tfeedinfowin(QWidget* parent = nullptr);

    // Shows the window (or keeps it shown) with a copy of the row.
    void ShowFeed(const FRSSsiteData& row);
    const FRSSsiteData& Feed() const { return m_row; }

    void lblFeedUrlClick();
    void lblSiteUrlClick();
    void btnCloseClick();

    QLabel* feedUrlLabel() const { return m_feedUrl; }
    QLabel* siteUrlLabel() const { return m_siteUrl; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* MakeUrlLabel(const QString& objectName);

    QLabel* m_title;
    QLabel* m_description;
    QLabel* m_feedUrl;
    QLabel* m_siteUrl;
    QPushButton* m_closeButton;
    FRSSsiteData m_row;
};
