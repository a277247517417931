#pragma once

#include <QDialog>

class QComboBox;
class QLineEdit;
class QSpinBox;

// "Proxy Server": the proxy or socks server the user reaches the internet through.
class TwindowProxy : public QDialog {
    Q_OBJECT
public:
    explicit TwindowProxy(QWidget* parent = nullptr);

    void FormCreate();
    void FormShow();
    void btnOkClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLineEdit* m_hostName = nullptr;
    QLineEdit* m_login = nullptr;
    QLineEdit* m_password = nullptr;
    QSpinBox* m_port = nullptr;
    QComboBox* m_type = nullptr;
};
