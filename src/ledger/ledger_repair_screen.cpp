// What the ledger screen tells about the ledger file itself: once when it opens (a ledger that
// cannot be opened, the capacity, a damaged end), and the repair it offers for a damaged ledger.
#include "ledger/ledger_list_panel.h"
#include "ledger/ledger_repair.h"
#include "ledger/ledger_screen.h"
#include "ledger/number_format.h"
#include "storage/app_state.h"
#include "storage/dialogs.h"
#include "storage/ledger_damage.h"
#include "storage/ledger_file.h"
#include "storage/shared_checks.h"
#include "ui/busy_cursor.h"

#include <QDateTime>
#include <cerrno>

namespace {
const QString ErrorTitle = QStringLiteral("異常確認");
}

void LedgerScreen::tellLedgerStateOnOpening(const IoResult& opened)
{
    if (!opened) {
        m_state.dialogs.inform(ErrorTitle, LedgerOpenFailureMessage(opened));
        return;
    }
    if (const QString notice = CapacityNotice(m_state); !notice.isEmpty())
        m_state.dialogs.inform(QStringLiteral("データ容量確認"), notice);
    // The end of the file tells the usual damage (a write cut short) without reading it all.
    if (const IoResult sound = CheckLedgerFileEnd(LedgerPath(m_state)); !sound && sound.errorCode == EBADMSG)
        offerLedgerRepair(QStringLiteral("　台帳ファイルが壊れています。") + u'\r' + QStringLiteral("　") + sound.detail);
}

void LedgerScreen::offerLedgerRepair(const QString& why)
{
    QString question = why.isEmpty() ? QString() : why + u'\r';
    question += QStringLiteral("　台帳を修復しますか？") + u'\r'
        + QStringLiteral("　（修復前の台帳を M在庫台帳 に日付付きの名前で写してから、読めるレコードだけを書き戻します）");
    if (m_state.dialogs.askDefaultNo(ErrorTitle, question) != Dialogs::Answer::Yes)
        return;
    if (RefuseWhenViewOnly(m_state))
        return;
    RepairResult result;
    {
        BusyCursor busy;
        result = RepairLedger(m_state, QDateTime::currentDateTime());
    }
    m_state.dialogs.inform(result.io ? QStringLiteral("登録確認") : ErrorTitle, RepairReport(result));
    if (!result.wasDamaged || !result.io)
        return;
    showFirstFullPage();
    m_list->setStockValue(FormatNumber(m_state.TotalStockValue, NumberPattern::TotalValue));
}
