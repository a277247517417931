#pragma once

#include <QDialog>
#include <QPersistentModelIndex>

class FeedListModel;
class QLineEdit;
class QPushButton;

// "Add News Feed": adds one of the user's own feeds, or changes the title and address of one.
// Every change is written to the custom catalogue before the window closes.
class TaddFeedWin : public QDialog {
    Q_OBJECT
public:
    explicit TaddFeedWin(QWidget* parent = nullptr);

    // Open modally with empty boxes, to add a feed to rows.
    void ShowAdd(FeedListModel& rows);
    // Open modally with the line's title and address, to change that line.
    void ShowEdit(FeedListModel& rows, int index);

    void btnOkClick();
    void btnCancelClick();

    QLineEdit* titleEdit() const { return m_titleEdit; }
    QLineEdit* urlEdit() const { return m_urlEdit; }

private:
    void Open(FeedListModel& rows, const QString& title, const QString& url);
    bool CheckBoxes();
    void Apply();

    QLineEdit* m_titleEdit;
    QLineEdit* m_urlEdit;
    QPushButton* m_okButton;
    QPushButton* m_cancelButton;
    FeedListModel* m_rows = nullptr;
    bool m_editing = false;
    // Follows the line being edited if other lines come or go while the window is open.
    QPersistentModelIndex m_editedLine;
};
