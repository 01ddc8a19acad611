// The inventory program: builds the one AppState on the client folder and hands over to the
// screen host, which shows the main menu.
#include "excel_import/import_screen.h"
#include "excel_output/common_documents_screen.h"
#include "ledger/ledger_screen.h"
#include "menu/menu_screen.h"
#include "settings/settings_screen.h"
#include "storage/app_state.h"
#include "storage/client_folder.h"
#include "storage/folder_check.h"
#include "ui/desktop_services_handover.h"
#include "ui/japanese_font.h"
#include "ui/message_box_dialogs.h"
#include "ui/qt_japanese_texts.h"
#include "ui/screen_host.h"

#include <QApplication>
#include <QDate>
#include <QTimer>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tev-inventory"));
    // The menu is replaced by each screen; the program ends only through AppState::requestEnd.
    QApplication::setQuitOnLastWindowClosed(false);
    UseJapaneseFont(app);
    if (!UseJapaneseQtTexts(app))
        qWarning("Qt's Japanese translation (qtbase_ja.qm, package qt6-translations-l10n) is not installed");

    const QString programFolder = QCoreApplication::applicationDirPath();
    const QString clientFolder = ResolveClientFolder(qEnvironmentVariable("TEV_CLIENT_FOLDER"), programFolder);
    MessageBoxDialogs dialogs;
    // The client settings keep the folder's name in cp932: a name it cannot hold would be stored
    // as "?" and leave this client pointing nowhere, so such a folder is refused at the start.
    if (const FolderCheck check = CheckFolder(clientFolder, false);
        !check.ok() && check.problem != FolderCheck::Problem::Missing) {
        dialogs.inform(QStringLiteral("異常確認"), ClientFolderProblemMessage(clientFolder));
        return 1;
    }
    if (const IoResult seeded = SeedClientFolder(clientFolder, FindResourcesFolder(programFolder), QDate::currentDate());
        !seeded)
        qWarning("Cannot prepare the client folder %s", qUtf8Printable(seeded.path));

    AppState state(dialogs);
    state.ClientFolder = clientFolder;
    // Queued, so that an end requested during start-up takes effect once the event loop runs.
    state.endProgram = [] { QTimer::singleShot(0, qApp, &QCoreApplication::quit); };

    DesktopServicesHandover desktop;
    ScreenHost host(state, desktop);
    host.setMenuFactory([](ScreenHost& h) { return new MenuScreen(h); });
    host.registerScreen(ScreenKey::Ledger, [](ScreenHost& h) { return new LedgerScreen(h); });
    host.registerScreen(ScreenKey::Import, [](ScreenHost& h) { return new ImportScreen(h); });
    host.registerScreen(ScreenKey::Settings, [](ScreenHost& h) { return new SettingsScreen(h); });
    host.registerScreen(MenuHook::CommonDocumentsOutput, &OpenCommonDocumentsFromMenu);
    host.showMenu();
    return app.exec();
}
