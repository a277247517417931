#pragma once

#include <QDialog>
#include <QPointer>

class Fmovie;
class QLabel;
class QListWidget;
class QPlainTextEdit;

// "Files": after Save, which files go onto the web server, where they are, and the code to
// paste into the pages; "Upload Now" publishes at once.
class TForm2 : public QDialog {
    Q_OBJECT
public:
    explicit TForm2(Fmovie* ticker, QWidget* parent = nullptr);

    // Fills the code box, shows the window modally, and publishes when the user chose
    // "Upload Now".
    void showFilesToUpload();
    void FormShow();
    void btnUploadNowClick();
    void btnCopyClick();
    void folderLinkClick();

    QStringList listedFiles() const;
    bool flashNoteShown() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QPointer<Fmovie> m_ticker;
    QLabel* m_folderLink = nullptr;
    QListWidget* m_files = nullptr;
    QPlainTextEdit* m_code = nullptr;
    QLabel* m_flashNote = nullptr;
    QString m_folder;
    QString m_codeText;
    bool m_uploadNow = false;
};
