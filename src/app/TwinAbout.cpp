#include "app/TwinAbout.h"

#include "app/helpers/AppState.h"
#include "app/helpers/Helpers.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TwinAbout::TwinAbout(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName("winAbout");
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle("About");
    auto* product = new QLabel(product::Title);
    product->setObjectName("productLabel");
    product->setAlignment(Qt::AlignCenter);
    product->setStyleSheet("font-weight: bold; font-size: 12pt;");
    auto* link = new QLabel(QString("<a href=\"%1\">%1</a>").arg(product::HomePage));
    link->setObjectName("linkLabel");
    link->setAlignment(Qt::AlignCenter);
    link->setCursor(Qt::PointingHandCursor);
    link->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    connect(link, &QLabel::linkActivated, this, [this] { lblLinkClick(); });
    auto* close = new QPushButton("Close");
    close->setObjectName("closeButton");
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(product);
    layout->addWidget(link);
    layout->addWidget(close, 0, Qt::AlignHCenter);
    setFixedSize(360, 150);
}

void TwinAbout::lblLinkClick()
{
    OpenWithShell(product::HomePage);
}
