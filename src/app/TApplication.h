#pragma once

#include <QApplication>

// The application object. An error that escapes an event handler ends up here: it is shown
// in one message box that says what failed and why, and the program goes on.
class TApplication : public QApplication {
    Q_OBJECT
public:
    TApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};
