#pragma once

#include <QDialog>

class QLabel;
class QPlainTextEdit;

// "HTML": the embed code to paste into a page, shown modally by Get Code.
class ThtmlWindow : public QDialog {
    Q_OBJECT
public:
    explicit ThtmlWindow(QWidget* parent = nullptr);

    // Fills the code box; with flashNote a line under it tells the user that current
    // browsers no longer play Flash and that the HTML5 player does.
    void setCode(const QString& code, bool flashNote);
    QString code() const;
    bool flashNoteShown() const;

    void btnCopyClick();

private:
    QPlainTextEdit* m_code = nullptr;
    QLabel* m_flashNote = nullptr;
};
