#pragma once

#include <QDialog>
#include <QString>

class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// The "Insert Link" dialog: the user gives a URL, a target and the link's visible text, and
// gets back a complete link element. The target choice is kept from one opening to the next.
class TlinkWindow : public QDialog {
    Q_OBJECT
public:
    explicit TlinkWindow(QWidget* parent = nullptr);

    // Shows the dialog modally with the link text set to selectedText and the URL to
    // "http://". True when the user pressed "Ok"; the link is then Link().
    bool Open(const QString& selectedText);
    // "<a href="URL" target="...">text</a>" from the current contents; nothing is escaped.
    QString Link() const;

    // The start tag's addition for a target list position (none chosen: -1).
    static QString TargetAttribute(int position);

private:
    void btnOkClick();
    void btnCancelClick();
    void FormShow();

    QPlainTextEdit* m_linkTextMemo = nullptr;
    QLineEdit* m_urlEdit = nullptr;
    QComboBox* m_targetComboBox = nullptr;
    QPushButton* m_okButton = nullptr;
    QPushButton* m_cancelButton = nullptr;
};
