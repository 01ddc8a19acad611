// Makes the screenshots of the user's guide (docs/images/*.png): a temporary client folder is
// seeded from the shipped resources and filled with a few dozen sample items and word lists,
// every screen is built through the screen host as the program builds it, driven into the state
// the guide shows and saved with QWidget::grab(). Questions are answered by a script, nothing
// is handed to the desktop. Run by scripts/make-screenshots.sh (under Xvfb when available).
//   tev-make-screenshots [--ledger-only NAME] OUTPUT_FOLDER [RESOURCES_FOLDER]
// With --ledger-only, only the ledger screen's list is taken, as NAME.png: the script runs it
// under QT_SCALE_FACTOR=1.5 for the guide's picture of the screen at a desktop scale of 150 %.
#include "excel_import/import_folder_panel.h"
#include "excel_import/import_schedule.h"
#include "excel_import/import_screen.h"
#include "ledger/ledger_screen.h"
#include "menu/menu_screen.h"
#include "settings/mail_address_file.h"
#include "settings/settings_screen.h"
#include "storage/app_state.h"
#include "storage/client_folder.h"
#include "storage/desktop_handover.h"
#include "storage/item_record.h"
#include "storage/ledger_append.h"
#include "storage/scripted_dialogs.h"
#include "storage/settings_files.h"
#include "storage/synthetic_items.h"
#include "storage/vocabulary.h"
#include "ui/clickable_label.h"
#include "ui/flex_grid.h"
#include "ui/japanese_font.h"
#include "ui/screen_host.h"

#include <QApplication>
#include <QDir>
#include <QFileSystemModel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeView>
#include <cstdio>

namespace {

constexpr int SampleItemCount = 36;
constexpr std::uint32_t SampleSeed = 20250401;

// Lets pending layout, paint and deferred deletions happen before a picture is taken.
void settle()
{
    for (int round = 0; round < 3; ++round) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    }
}

// Words of lists 2..6 in the order they first appear among the sample items.
class WordCollector {
public:
    void add(const ItemRecord& item)
    {
        const int fields[] = {ItemField::Name, ItemField::Shiyo, ItemField::Maker, ItemField::Place,
                              ItemField::Unit};
        for (int k = 0; k < 5; ++k) {
            QString word = item.text(fields[k]);
            if (fields[k] == ItemField::Place)
                word = word.section(u' ', 0, 0); // "第一倉庫 3-2": the list offers the store itself
            if (!word.isEmpty() && !m_words[k].contains(word))
                m_words[k].append(word);
        }
    }
    // Puts the words into lists 2..6 with their counts (words + the empty end entry).
    void store(AppState& state) const
    {
        for (int k = 0; k < 5; ++k) {
            const int list = VocabularyTable::FirstUsedList + k;
            state.Vocabulary.clearList(list);
            for (int i = 0; i < m_words[k].size(); ++i)
                state.Vocabulary.setEntry(list, i + 1, {QString(), m_words[k][i]});
            state.SharedSettings[ListCountLine(list)] = QString::number(m_words[k].size() + 1);
        }
    }

private:
    QStringList m_words[5];
};

// The sample data folder (the client folder itself): items, word lists, mail addresses and the
// options the guide describes switched on.
bool prepareSampleData(AppState& state)
{
    if (!ReadClientSettings(state))
        return false;
    state.DataFolder = state.ClientSettings[ClientLine::DataFolder];
    ReadSharedSettings(state);

    SyntheticItems generator(SampleSeed);
    WordCollector words;
    const AppendResult appended = AppendRecords(state, SampleItemCount, [&](int recordNo, ItemRecord& item) {
        generator.fill(recordNo, item);
        item.setText(ItemField::Number, QStringLiteral("P-%1").arg(1000 + recordNo));
        words.add(item);
    });
    if (!appended.stored())
        return false;
    words.store(state);
    WriteVocabularyLists(state);

    state.SharedSettings[SharedLine::MonthlyImport] = QStringLiteral("1");
    state.SharedSettings[SharedLine::ImportFolder] = state.ClientFolder + QStringLiteral("原本INP") + QDir::separator();
    WriteSharedSettings(state);
    state.ClientSettings[ClientLine::Backup] = QStringLiteral("1");
    WriteClientSettings(state);
    StoreImportTime(state, QStringLiteral("06:30"));

    MailAddresses addresses;
    addresses[1] = QStringLiteral("hozen@example.co.jp");
    addresses[2] = QStringLiteral("koubai@example.co.jp");
    addresses[4] = QStringLiteral("order@tokai-parts.example.jp");
    WriteMailAddressFile(MailAddressPath(state), addresses);
    return true;
}

class Camera {
public:
    // Pictures go to `folder`; folder trees are shown from `sampleRoot` down.
    Camera(ScreenHost& host, const QString& folder, const QString& sampleRoot)
        : m_host(host), m_folder(folder), m_sampleRoot(sampleRoot)
    {
    }

    // A control of the window shown; a missing one (a screen changed under the tool) counts as
    // a failure, so that the run ends with an error instead of leaving a picture out of date.
    template <class T = QWidget>
    T* find(const char* name)
    {
        T* found = m_host.current() ? m_host.current()->findChild<T*>(QString::fromLatin1(name)) : nullptr;
        if (!found) {
            std::fprintf(stderr, "make-screenshots: no control %s\n", name);
            ++failures;
        }
        return found;
    }
    void click(const char* name)
    {
        if (auto* button = find<QPushButton>(name))
            button->click();
        settle();
    }
    void clickLabel(const char* name)
    {
        if (auto* label = find<ClickableLabel>(name))
            emit label->clicked();
        settle();
    }
    void clickCell(const char* grid, int row, int col)
    {
        if (auto* found = find<FlexGrid>(grid))
            emit found->clicked(row, col);
        settle();
    }
    void selectCell(const char* grid, int row, int col)
    {
        if (auto* found = find<FlexGrid>(grid))
            found->setCurrentCell(row, col);
    }

    // Saves the window shown as NAME.png.
    void shoot(const QString& name)
    {
        settle();
        confineFolderTrees();
        settle();
        QWidget* window = m_host.current();
        const QString path = m_folder + u'/' + name + QStringLiteral(".png");
        if (!window || !withToolWindows(window).save(path)) {
            std::fprintf(stderr, "make-screenshots: cannot write %s\n", qUtf8Printable(path));
            ++failures;
            return;
        }
        std::printf("%s\n", qUtf8Printable(path));
    }

    int failures = 0;

private:
    // Folder trees start at the temporary folder that holds the sample client folder, so that
    // the pictures show the sample data and nothing else of the machine they were made on.
    void confineFolderTrees()
    {
        if (!m_host.current())
            return;
        for (QTreeView* tree : m_host.current()->findChildren<QTreeView*>()) {
            auto* model = qobject_cast<QFileSystemModel*>(tree->model());
            if (!model)
                continue;
            const QModelIndex root = model->index(m_sampleRoot);
            if (tree->rootIndex() != root)
                tree->setRootIndex(root);
            tree->expand(model->index(m_host.state().ClientFolder));
        }
    }

    // The window with the small tool windows it owns (the entry pad) drawn where they stand,
    // each with a thin frame in place of the window manager's.
    static QPixmap withToolWindows(QWidget* window)
    {
        QPixmap picture = window->grab();
        QPainter painter(&picture);
        for (QWidget* child : window->findChildren<QWidget*>()) {
            if (!child->isWindow() || !child->isVisible())
                continue;
            const QPoint at = child->mapToGlobal(QPoint(0, 0)) - window->mapToGlobal(QPoint(0, 0));
            painter.drawPixmap(at, child->grab());
            painter.setPen(QPen(QColor(90, 90, 90), 1));
            painter.drawRect(QRect(at, child->size()).adjusted(0, 0, -1, -1));
        }
        return picture;
    }

    ScreenHost& m_host;
    QString m_folder;
    QString m_sampleRoot;
};

void shootMenu(ScreenHost& host, Camera& camera, AppState& state)
{
    host.showMenu();
    camera.shoot(QStringLiteral("menu"));
    // The administrator's menu: the stop-all, login-password and view-only switches appear.
    state.ClientSettings[ClientLine::Administrator] = QStringLiteral("1");
    WriteClientSettings(state);
    host.showMenu();
    camera.shoot(QStringLiteral("menu-admin"));
    state.ClientSettings[ClientLine::Administrator] = QStringLiteral("0");
    WriteClientSettings(state);
    host.showMenu();
}

void shootLedger(ScreenHost& host, Camera& camera)
{
    host.openScreen(ScreenKey::Ledger);
    settle();
    camera.shoot(QStringLiteral("ledger-list"));

    // The second item in the edit frame, the entry pad on a month, the word list of its name.
    camera.selectCell("f1Grid1", 3, 1);
    camera.click("correctButton");
    camera.shoot(QStringLiteral("ledger-edit"));
    camera.clickCell("MSFlexGrid2", 1, 3);
    for (const char* key : {"padKey1", "padKey2"})
        camera.click(key);
    camera.shoot(QStringLiteral("ledger-pad"));
    camera.click("padCloseButton");
    camera.clickCell("MSFlexGrid1", 1, 0);
    camera.shoot(QStringLiteral("ledger-vocabulary"));
    camera.click("vocabularyCloseButton");
    camera.click("chartButton");
    camera.shoot(QStringLiteral("ledger-chart"));
    camera.click("chartCloseButton");
    camera.click("editFrameCloseButton");

    // The filter: the storage place of the first item, as a part of the word.
    if (auto* list = camera.find<FlexGrid>("f1Grid1")) {
        const QString place = list->textMatrix(1, 5).section(u' ', 0, 0);
        camera.selectCell("f1Grid1", 1, 5);
        camera.click("filterButton");
        if (auto* conditions = camera.find<FlexGrid>("MSFlexGrid4")) {
            conditions->setTextMatrix(0, 0, QStringLiteral("5"));
            conditions->setTextMatrix(0, 1, list->textMatrix(0, 5));
            conditions->setTextMatrix(0, 2, place);
        }
        camera.click("filterStartButton");
        camera.shoot(QStringLiteral("ledger-filter"));
        camera.click("filterClearButton");
    }

    camera.click("sortButton");
    camera.click("sortStartButton");
    camera.shoot(QStringLiteral("ledger-sort"));
    camera.click("sortDeleteCloseButton");

    camera.click("monthlyInOutButton");
    camera.shoot(QStringLiteral("ledger-monthly"));
    camera.click("monthlyCloseButton");
    host.closeScreen();
}

void shootImport(ScreenHost& host, Camera& camera, AppState& state)
{
    host.openScreen(ScreenKey::Import);
    settle();
    camera.click("Command5");
    camera.clickLabel("importFolderLabel");
    if (auto* panel = camera.find<ImportFolderPanel>("folderPanel"))
        panel->chooseFolder(state.ClientFolder + QStringLiteral("原本INP"));
    camera.shoot(QStringLiteral("import-items"));
    camera.click("Command2");
    camera.click("Command8");
    camera.click("timedImportButton");
    camera.shoot(QStringLiteral("import-timed"));
    host.closeScreen();
}

void shootSettings(ScreenHost& host, Camera& camera)
{
    host.openScreen(ScreenKey::Settings);
    settle();
    camera.click("listButton2");
    camera.shoot(QStringLiteral("settings-vocabulary"));
    camera.click("namesButton");
    camera.shoot(QStringLiteral("settings-names"));
    camera.click("dataFolderButton");
    camera.shoot(QStringLiteral("settings-datafolder"));
    camera.click("mailButton");
    camera.shoot(QStringLiteral("settings-mail"));
    host.closeScreen();
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QString ledgerOnly;
    if (argc > 2 && qstrcmp(argv[1], "--ledger-only") == 0) {
        ledgerOnly = QString::fromLocal8Bit(argv[2]);
        argc -= 2;
        argv += 2;
    }
    if (argc < 2) {
        std::fprintf(stderr, "usage: tev-make-screenshots [--ledger-only NAME] OUTPUT_FOLDER [RESOURCES_FOLDER]\n");
        return 2;
    }
    if (!UseJapaneseFont(app))
        std::fprintf(stderr, "make-screenshots: no Noto CJK font found; Japanese text may not render\n");
    QApplication::setQuitOnLastWindowClosed(false);

    const QString output = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    const QString resources = argc > 2 ? QString::fromLocal8Bit(argv[2])
                                       : FindResourcesFolder(QCoreApplication::applicationDirPath());
    if (!QDir().mkpath(output) || resources.isEmpty()) {
        std::fprintf(stderr, "make-screenshots: no output folder or no resources folder\n");
        return 1;
    }

    QTemporaryDir temporary(QDir::tempPath() + QStringLiteral("/tev-screenshots-XXXXXX"));
    const QString clientFolder = temporary.path() + QStringLiteral("/TEV在庫管理/");
    if (!temporary.isValid() || !SeedClientFolder(clientFolder, resources, QDate::currentDate())) {
        std::fprintf(stderr, "make-screenshots: cannot prepare a client folder\n");
        return 1;
    }
    qputenv("COMPUTERNAME", "HOZEN-PC01");

    ScriptedDialogs dialogs;
    AppState state(dialogs);
    state.ClientFolder = clientFolder;
    if (!prepareSampleData(state)) {
        std::fprintf(stderr, "make-screenshots: cannot write the sample data\n");
        return 1;
    }

    RecordingDesktopHandover desktop;
    ScreenHost host(state, desktop);
    host.setMenuFactory([](ScreenHost& h) { return new MenuScreen(h); });
    host.registerScreen(ScreenKey::Ledger, [](ScreenHost& h) { return new LedgerScreen(h); });
    host.registerScreen(ScreenKey::Import, [](ScreenHost& h) { return new ImportScreen(h); });
    host.registerScreen(ScreenKey::Settings, [](ScreenHost& h) { return new SettingsScreen(h); });

    Camera camera(host, output, temporary.path());
    if (!ledgerOnly.isEmpty()) {
        host.openScreen(ScreenKey::Ledger);
        camera.shoot(ledgerOnly);
        host.closeScreen();
        return camera.failures == 0 ? 0 : 1;
    }
    shootMenu(host, camera, state);
    shootLedger(host, camera);
    shootImport(host, camera, state);
    shootSettings(host, camera);
    return camera.failures == 0 ? 0 : 1;
}
