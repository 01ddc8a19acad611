// The timed item import of the import screen: the time is set per client, and once started the
// screen waits on a one-second timer (the window stays responsive) and runs the item import,
// unattended, once in the minute of that time every day.
#include "excel_import/import_folder_panel.h"
#include "excel_import/import_run.h"
#include "excel_import/import_screen.h"
#include "excel_import/import_texts.h"
#include "storage/app_state.h"
#include "storage/dialogs.h"
#include "ui/busy_cursor.h"
#include "ui/widget_geometry.h"

#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QTimer>

namespace {

// The status pictures and where each is shown (twips).
struct StatusPicture {
    const char16_t* file;
    int left;
    int top;
    int width;
    int height;
};
constexpr StatusPicture WaitingPicture{u"torikomi00.jpg", 15360, 240, 1200, 1200};
constexpr StatusPicture ImportingPicture{u"torikomi01.jpg", 10440, 4200, 2100, 1575};

constexpr int InfoLeft = 10200;
constexpr int InfoWidth = 2200;

} // namespace

void ImportScreen::buildTimedControls()
{
    m_clockCaption = placed(new QLabel(QStringLiteral("現在時刻"), this), QStringLiteral("clockCaption"), InfoLeft, 1080,
                            InfoWidth, 360);
    m_clockLabel = placed(new QLabel(this), QStringLiteral("clockLabel"), InfoLeft, 1440, InfoWidth, 480);
    QFont clockFont = m_clockLabel->font();
    clockFont.setPointSizeF(clockFont.pointSizeF() * 1.6);
    clockFont.setBold(true);
    m_clockLabel->setFont(clockFont);
    m_importTime = placed(new QLabel(this), QStringLiteral("importTimeLabel"), InfoLeft, 2040, InfoWidth, 360);
    m_status = placed(new QLabel(this), QStringLiteral("statusLabel"), InfoLeft, 2520, InfoWidth, 360);
    m_lastRun = placed(new QLabel(this), QStringLiteral("lastRunLabel"), InfoLeft, 3000, InfoWidth, 1080);
    m_lastRun->setWordWrap(true);
    m_lastRun->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_statusPicture = placed(new QLabel(this), QStringLiteral("statusPicture"), WaitingPicture.left, WaitingPicture.top,
                             WaitingPicture.width, WaitingPicture.height);
    m_statusPicture->setScaledContents(true);
    for (QWidget* hidden : {static_cast<QWidget*>(m_clockCaption), static_cast<QWidget*>(m_clockLabel),
                            static_cast<QWidget*>(m_importTime), static_cast<QWidget*>(m_status),
                            static_cast<QWidget*>(m_lastRun), static_cast<QWidget*>(m_statusPicture)})
        hidden->hide();

    m_timer = new QTimer(this);
    m_timer->setInterval(1000);
    connect(m_timer, &QTimer::timeout, this, &ImportScreen::checkClock);
}

// "自動取込": offers the start of the timed import and the setting of its time.
void ImportScreen::offerTimedImport()
{
    m_timedStart->show();
    m_timeSetting->show();
    showImportTime();
}

void ImportScreen::showImportTime()
{
    const QString time = StoredImportTime(m_state);
    m_importTime->setText(QStringLiteral("取込時刻　") + (time.isEmpty() ? QStringLiteral("未設定") : time));
    m_importTime->show();
}

// "取り込時刻設定": asks for the time of day; an empty answer removes it.
void ImportScreen::setImportTime()
{
    const std::optional<QString> typed = m_state.dialogs.askText(QStringLiteral("取り込時刻設定"), ImportTimePrompt(), false);
    if (!typed)
        return;
    const QString time = NormaliseImportTime(*typed);
    if (time.isEmpty() && !typed->trimmed().isEmpty()) {
        m_state.dialogs.inform(ImportText::ConfirmTitle, InvalidImportTimeMessage(typed->trimmed()));
        return;
    }
    if (const IoResult stored = StoreImportTime(m_state, time); !stored)
        m_state.dialogs.inform(ImportText::ErrorTitle, SaveFailureMessage(stored));
    if (m_mode == Mode::Timed)
        m_schedule.emplace(time);
    showImportTime();
}

// "自動取り込開始": waits for the import time until the program ends.
void ImportScreen::startTimedImport()
{
    const QString time = StoredImportTime(m_state);
    if (time.isEmpty()) {
        m_state.dialogs.inform(ImportText::ConfirmTitle, NoImportTimeMessage());
        return;
    }
    m_mode = Mode::Timed;
    m_schedule.emplace(time);
    m_folderPanel->hide();
    for (QWidget* hidden : {m_itemMode, m_vocabularyMode, m_timedOffer, m_timedStart})
        hidden->hide();
    m_timeSetting->show();
    m_exit->show();
    for (QWidget* shown : {m_clockCaption, m_clockLabel, m_status})
        shown->show();
    showImportTime();
    m_clockLabel->setText(ImportClockText(m_clock()));
    showStatus(false);
    m_waitingCursor = std::make_unique<BusyCursor>();
    m_timer->start();
}

void ImportScreen::checkClock()
{
    if (m_mode != Mode::Timed || !m_schedule)
        return;
    const QTime now = m_clock();
    m_clockLabel->setText(ImportClockText(now));
    if (m_schedule->due(now))
        runTimedImport();
}

// One unattended run: no questions, no messages; how it ended is shown beside the clock.
void ImportScreen::runTimedImport()
{
    m_timer->stop(); // no second look at the clock while the import runs
    m_waitingCursor.reset();
    showStatus(true);
    setLamp(LampDone);
    m_kind->setText(ImportText::ItemListKind);
    std::optional<BusyCursor> busy;
    ImportRunView view = runView();
    view.busy = busySwitch(busy);
    const ImportRunResult result = RunItemImport(m_state, ImportRunMode::Unattended, view);
    busy.reset();

    const QString when = m_clockLabel->text();
    if (result.outcome == ImportOutcome::Done) {
        setLamp(LampTimedDone);
        QString text = when + QStringLiteral("　") + QString::number(result.written) + QStringLiteral("件取込");
        if (!result.note.isEmpty())
            text += u'\n' + QString(result.note).replace(u'\r', u'\n');
        m_lastRun->setText(text);
    } else {
        m_lastRun->setText(when + QStringLiteral("　取込できません") + u'\n' + QString(result.note).replace(u'\r', u'\n'));
    }
    m_lastRun->show();
    showStatus(false);
    m_state.closeAllFiles();
    m_waitingCursor = std::make_unique<BusyCursor>();
    m_timer->start();
}

// The status text and picture of the timed import; a picture that cannot be loaded is not shown.
void ImportScreen::showStatus(bool importing)
{
    m_status->setText(importing ? ImportText::Importing : ImportText::Waiting);
    const StatusPicture& picture = importing ? ImportingPicture : WaitingPicture;
    QPixmap pixmap;
    if (!pixmap.load(m_state.ClientFolder + QStringLiteral("設備画像/") + QString::fromUtf16(picture.file))) {
        m_statusPicture->hide();
        return;
    }
    m_statusPicture->setPixmap(pixmap);
    setGeometryTwips(m_statusPicture, picture.left, picture.top, picture.width, picture.height);
    m_statusPicture->show();
    m_statusPicture->repaint();
}
