// The import folder of the folder panel: one trailing separator, the workbooks listed, the
// places of the drive list, and "登　録".
#include "excel_import/import_folder_choice.h"
#include "storage/settings_files.h"
#include "support/temp_client_support.h"

#include <QDir>
#include <gtest/gtest.h>

TEST(ImportFolderChoice, FolderEndsInExactlyOneSeparator)
{
    const QString sep = QDir::separator();
    EXPECT_EQ(ChosenImportFolder(QStringLiteral("/srv/import///")), QDir::toNativeSeparators(QStringLiteral("/srv/import/")));
    EXPECT_EQ(ChosenImportFolder(QStringLiteral("/srv/import")), QDir::toNativeSeparators(QStringLiteral("/srv/import/")));
    EXPECT_EQ(ChosenImportFolder(sep), sep); // a root stays a root
    EXPECT_EQ(ChosenImportFolder(sep + sep), sep);
    EXPECT_EQ(ChosenImportFolder(QString()), QString());
}

TEST(ImportFolderChoice, ListsTheWorkbooksOfTheFolder)
{
    TempClient client;
    const QString folder = client.root() + QStringLiteral("/in/");
    QDir().mkpath(folder + QStringLiteral("sub.xls"));
    for (const QString& name : {QStringLiteral("Mb在庫品INP.xls"), QStringLiteral("b.XLSX"), QStringLiteral("a.xlsx"),
                                QStringLiteral("notes.txt"), QStringLiteral("x.xlsm")})
        TempClient::writeBytes(folder + name, "x");
    EXPECT_EQ(ImportWorkbookNames(folder),
              (QStringList{QStringLiteral("a.xlsx"), QStringLiteral("b.XLSX"), QStringLiteral("Mb在庫品INP.xls")}));
    EXPECT_TRUE(ImportWorkbookNames(client.root() + QStringLiteral("/missing/")).isEmpty());
}

TEST(ImportFolderChoice, DriveListOffersHomeAndRealVolumesOnce)
{
    const QList<MountedVolume> volumes = {
        {QStringLiteral("/"), QStringLiteral("ext4"), true},
        {QStringLiteral("/proc"), QStringLiteral("proc"), true},
        {QStringLiteral("/media/usb"), QStringLiteral("vfat"), false}, // not ready
        {QStringLiteral("/srv/share"), QStringLiteral("cifs"), true},
        {QStringLiteral("/home/u"), QStringLiteral("ext4"), true},
    };
    const auto native = [](const char16_t* path) { return QDir::toNativeSeparators(QString::fromUtf16(path)); };
    EXPECT_EQ(ImportDriveRoots(volumes, QStringLiteral("/home/u")),
              (QStringList{native(u"/home/u/"), native(u"/"), native(u"/srv/share/")}));
}

TEST(ImportFolderChoice, RegisterStoresTheTrimmedFolderOrRefusesAnEmptyOne)
{
    TempClient client;
    client.state.SharedSettings[SharedLine::StartMonth] = QStringLiteral("2026/04");
    const StoreFolderResult empty = StoreImportFolder(client.state, QStringLiteral("   "));
    EXPECT_EQ(empty.outcome, StoreFolderOutcome::NotSet);
    EXPECT_FALSE(QFile::exists(SharedSettingsPath(client.state)));

    const StoreFolderResult stored = StoreImportFolder(client.state, QStringLiteral(" /srv/in/ "));
    EXPECT_EQ(stored.outcome, StoreFolderOutcome::Stored);
    SettingsLines file;
    ASSERT_TRUE(ReadSettingsFile(SharedSettingsPath(client.state), file));
    EXPECT_EQ(file[SharedLine::ImportFolder], QStringLiteral("/srv/in/"));
    EXPECT_EQ(file[SharedLine::StartMonth], QStringLiteral("2026/04"));
}
