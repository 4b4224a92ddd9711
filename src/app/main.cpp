// Ferrovane: the start of the program. The start-up tables and master pictures come first, then
// the about window as a splash screen, then the main window, whose creation starts the frame loop.
#include "AboutWindow.h"
#include "Ferrovane.h"
#include "ResourcePictures.h"

#include "objects/FieldTables.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Ferrovane"));
    QApplication::setApplicationVersion(QStringLiteral(FERROVANE_VERSION));
    QApplication::setWindowIcon(PictureIcon(QStringLiteral("app-icon"), QSize(32, 32)));

    EnsureStartupTables();

    auto* splash = new TAboutWindow(TAboutWindow::TMode::Splash);
    splash->ShowCentred();

    TFerrovane window;
    window.ShowCentred();
    // The splash stays in front of the main window until it has faded.
    splash->raise();

    return QApplication::exec();
}
