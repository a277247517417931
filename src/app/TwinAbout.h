#pragma once

#include <QDialog>

// The "About" window; each About command makes a new one, which frees itself on closing.
class TwinAbout : public QDialog {
    Q_OBJECT
public:
    explicit TwinAbout(QWidget* parent = nullptr);

    void lblLinkClick();
};
