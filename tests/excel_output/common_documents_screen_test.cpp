// "在庫品共通資料" of the main menu with the common-documents output registered as the program
// registers it: the list is made once and handed over, the menu stays; a failure shows its message.
#include "excel_output/common_documents_screen.h"
#include "excel_output/common_documents_workbook.h"
#include "excel_output/output_paths.h"
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
    EXPECT_TRUE(m.client.dialogs.shown().isEmpty());
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
