#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QStackedWidget;
class TserversWindow;

// The wizard's anonymous placeholder password (13 characters ending in "@").
inline const char* const WizardAnonymousPassword = "anonymous123@";

// "Server Profile Wizard": five steps towards a new server profile.
class TForm4 : public QDialog {
    Q_OBJECT
public:
    explicit TForm4(TserversWindow& sites, QWidget* parent = nullptr);

    int step() const; // 1 to 5
    void goToStep(int step);
    void eNicknameKeyUp();
    void eHostChange();
    void cAnonClick(bool checked);
    void nextClick();
    void backClick();
    void btnFinishClick();
    void btnYesProxyClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* makePage(int step, const QString& subtitle, const QString& question, QWidget* body, bool back,
                      bool next, bool cancel, bool finish);
    QWidget* stepOneBody();
    QWidget* stepTwoBody();
    QWidget* stepThreeBody();
    QWidget* stepFourBody();

    TserversWindow& m_sites;
    QStackedWidget* m_pages = nullptr;
    QLineEdit* eNickname = nullptr;
    QLineEdit* eUser = nullptr;
    QLineEdit* ePass = nullptr;
    QCheckBox* cAnon = nullptr;
    QCheckBox* cSavePass = nullptr;
    QLineEdit* eHost = nullptr;
    QLineEdit* eRemotePath = nullptr;
    QPushButton* m_next[5] = {};
};
