#pragma once

#include <QDialog>
#include <QStringList>

class QCheckBox;
class QLabel;

// The "Quick Tips" window: greets the user at start-up with one line of the tips file while
// that file exists; clearing its check box and closing renames the file so that it stays
// quiet at the next start.
class TwTips : public QDialog {
    Q_OBJECT
public:
    // programFolder ends in "/". Shows itself when the tips file holds a tip.
    explicit TwTips(const QString& programFolder, QWidget* parent = nullptr);

    int tipIndex() const { return m_index; }
    QString tipText() const;

    // Index arithmetic of "Next" and "Previous" over count lines. Next never reaches the
    // last line: the list wraps before it.
    static int NextIndex(int index, int count);
    static int PreviousIndex(int index, int count);
    // The tips file in the folder, found without regard to letter case; empty when none.
    static QString TipsFilePath(const QString& programFolder);

    void btnNextClick();
    void btnPreviousClick();
    void btnCloseClick();

Q_SIGNALS:
    // The check box was clicked: the main window's "Show Tips on Startup" follows it.
    void showTipsChanged(bool checked);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void FormCreate();
    void showTip();
    void done(int result) override;
    void finish();

    QString m_programFolder;
    QString m_path;
    QStringList m_tips;
    int m_index = 0;
    bool m_finished = false;
    QLabel* m_tip = nullptr;
    QCheckBox* m_showTips = nullptr;
};
