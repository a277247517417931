#include "app/TApplication.h"

#include "app/helpers/AppState.h"
#include "platform/Errors.h"
#include "platform/gui/Dialogs.h"

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool TApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const TickerineError& error) {
        Dialogs::error(activeWindow(), product::Title, "The command failed.\n\n" + error.message());
    } catch (const std::exception& error) {
        Dialogs::error(activeWindow(), product::Title,
                       "The command failed.\n\n" + QString::fromLocal8Bit(error.what()));
    }
    return false;
}
