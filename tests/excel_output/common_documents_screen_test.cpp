// "在庫品共通資料" of the main menu with the common-documents output registered as the program
// registers it: the list is made once and handed over, the menu stays; a failure shows its message.
#include "excel_output/common_documents_screen.h"
#include "excel_output/common_documents_workbook.h"
#include "excel_output/output_paths.h"
#include "excel_output/workbook_output_notice.h"
#include "menu/menu_screen_fixture.h"

#include <QDir>

namespace {
void prepare(MenuClient& m)
{
    m.writeClientSettings({});
    m.writeSharedSettings({{SharedLine::CommonDocuments, QStringLiteral("1")}});
    m.host.registerScreen(MenuHook::CommonDocumentsOutput, &OpenCommonDocumentsFromMenu);
    QDir().mkpath(m.client.clientFolder() + QStringLiteral("原本Excel"));
    QFile::copy(QStringLiteral(TEV_RESOURCES_DIR "/原本Excel/在庫出力台帳.xlsx"), TemplateWorkbookPath(m.client.state));
    m.loadMenu();
}
} // namespace

TEST(CommonDocumentsScreen, MenuButtonMakesTheListOnceAndHandsItOver)
{
    MenuClient m(QStringLiteral("PC-1"));
    prepare(m);
    QDir().mkpath(OutputFolderPath(m.client.state));
    m.click("commonDocumentsButton");
    m.click("commonDocumentsButton");
    const QString path = CommonDocumentsWorkbookPath(m.client.state);
    EXPECT_EQ(m.desktop.opened, (QStringList{path, path}));
    EXPECT_NE(m.menu(), nullptr);
    // Where the new list is; the user's own list opened later needs no message.
    ASSERT_EQ(m.client.dialogs.shown().size(), 1);
    EXPECT_EQ(m.client.dialogs.shown()[0].title, QStringLiteral("Excel出力完了"));
    EXPECT_EQ(m.lastText(), WorkbookWrittenNotice(path).text);
}

// No program took the list: the message says so and where the file is, whether the list was
// just made or is the user's own.
TEST(CommonDocumentsScreen, AListNoProgramTookIsShownWithItsPath)
{
    MenuClient m(QStringLiteral("PC-1"));
    prepare(m);
    QDir().mkpath(OutputFolderPath(m.client.state));
    m.desktop.result = false;
    const QString path = CommonDocumentsWorkbookPath(m.client.state);
    m.click("commonDocumentsButton");
    EXPECT_TRUE(QFile::exists(path));
    EXPECT_EQ(m.lastText(), WorkbookNotOpenedNotice(path, true).text);
    m.click("commonDocumentsButton");
    ASSERT_EQ(m.client.dialogs.shown().size(), 2);
    EXPECT_EQ(m.client.dialogs.shown()[1].title, QStringLiteral("Excel出力確認"));
    EXPECT_EQ(m.lastText(), WorkbookNotOpenedNotice(path, false).text);
    EXPECT_NE(m.menu(), nullptr);
}

TEST(CommonDocumentsScreen, MissingOutputFolderShowsThe76Message)
{
    MenuClient m(QStringLiteral("PC-1"));
    prepare(m);
    m.click("commonDocumentsButton");
    ASSERT_EQ(m.client.dialogs.shown().size(), 1);
    EXPECT_EQ(m.client.dialogs.shown()[0].title, QStringLiteral("Excel出力異常"));
    EXPECT_TRUE(m.lastText().startsWith(QStringLiteral("原本Excelフォルダーか\r出力Excelフォルダーが見つかりません。")));
    EXPECT_TRUE(m.desktop.opened.isEmpty());
    EXPECT_NE(m.menu(), nullptr);
}
