#include "ledger/vocabulary_panel.h"

#include "ledger/edit_frame_panel.h"
#include "ledger/raised_panel.h"
#include "storage/vocabulary.h"
#include "ui/clickable_label.h"
#include "ui/rect_clamp.h"
#include "ui/twips.h"
#include "ui/widget_geometry.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <algorithm>

VocabularyPanel::VocabularyPanel(QWidget* parent) : QFrame(parent)
{
    raisedPanel(this);
    m_top = placed(new ClickableLabel(this), QStringLiteral("vocabularyTopPicture"), 0, 0, WidthTwips, 300);
    m_top->setFrameShape(QFrame::Panel);
    m_caption = placed(new QLabel(this), QStringLiteral("vocabularyCaption"), 120, 360, 2400, 320);
    m_count = placed(new QLabel(this), QStringLiteral("vocabularyCountLabel"), 2640, 360, 1400, 320);
    m_list = placed(new QListWidget(this), QStringLiteral("List1"), 120, 720, 3960, 4240);
    auto* add = m_add = placed(new QPushButton(QStringLiteral("追記"), this), QStringLiteral("addWordButton"), 120, 5080, 1600, 400);
    auto* close = m_close = placed(new QPushButton(QStringLiteral("閉じる"), this), QStringLiteral("vocabularyCloseButton"),
                                   2480, 5080, 1600, 400);
    connect(m_list, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { emit wordPicked(wordNumberOf(item->text())); });
    connect(add, &QPushButton::clicked, this, &VocabularyPanel::addWordClicked);
    connect(close, &QPushButton::clicked, this, &QWidget::hide);
}

namespace {

// The full list, and the shortest one that still shows a few words.
constexpr int FullListTwips = 4240;
constexpr int ShortestListTwips = 1600;

bool coversAny(const QRect& place, const QList<QRect>& controls)
{
    return std::any_of(controls.begin(), controls.end(), [&](const QRect& r) { return place.intersects(r); });
}

} // namespace

void VocabularyPanel::setListHeight(int pixels)
{
    const int gap = twipsToPixels(120);
    m_list->resize(m_list->width(), pixels);
    const int buttonTop = m_list->y() + pixels + gap;
    m_add->move(m_add->x(), buttonTop);
    m_close->move(m_close->x(), buttonTop);
    resize(width(), buttonTop + m_close->height() + gap);
}

void VocabularyPanel::placeBeside(const EditFramePanel& frame)
{
    QWidget* area = parentWidget();
    if (!area)
        return;
    const QPushButton* close = frame.frameButton("editFrameCloseButton");
    QList<QRect> keepClear{QRect(frame.mapTo(area, frame.textEntryBox()->pos()), frame.textEntryBox()->size())};
    QRect buttonRow;
    for (const QPushButton* button : frame.findChildren<QPushButton*>(QString(), Qt::FindDirectChildrenOnly))
        if (close && button->y() == close->y()) {
            const QRect inArea(frame.mapTo(area, button->pos()), button->size());
            keepClear.append(inArea);
            buttonRow = buttonRow.united(inArea);
        }
    QRect commandBar;
    for (const char* name : {"Picture3", "Picture4"})
        if (const auto* bar = area->findChild<QWidget*>(QString::fromLatin1(name)); bar && !bar->isHidden())
            commandBar = commandBar.united(bar->geometry());
    if (!commandBar.isNull())
        keepClear.append(commandBar);

    setListHeight(twipsToPixels(FullListTwips));
    const QRect frameRect = frame.geometry();
    const int left = twipsToPixels(14160);
    const int gap = twipsToPixels(40);
    QRect place = PlaceClearOf(size(),
                               {QPoint(left, twipsToPixels(2280)), QPoint(left, buttonRow.top() - gap - height()),
                                QPoint(left, frameRect.bottom() + 1 + gap), QPoint(left, frameRect.top() - gap - height())},
                               keepClear, area->rect());
    if (coversAny(place, keepClear) && !buttonRow.isNull() && !commandBar.isNull()) {
        const int top = commandBar.bottom() + 1 + gap;
        const int shorter = m_list->height() - (height() - (buttonRow.top() - gap - top));
        if (shorter >= twipsToPixels(ShortestListTwips)) {
            setListHeight(shorter);
            place = ClampIntoContainer(QRect(QPoint(left, top), size()), area->rect());
        }
    }
    move(place.topLeft());
}

QString VocabularyPanel::entryText(int number, const QString& word)
{
    const int spaces = number <= 9 ? 4 : number <= 999 ? 3 : 2;
    return QString::number(number) + QString(spaces, u' ') + word;
}

int VocabularyPanel::wordNumberOf(const QString& entry)
{
    // The number is every digit before the spaces: entries run up to 10 010.
    qsizetype digits = 0;
    while (digits < entry.size() && entry[digits].isDigit())
        ++digits;
    return entry.left(digits).toInt();
}

void VocabularyPanel::fill(const QString& caption, const VocabularyTable& table, int list, int count)
{
    m_caption->setText(caption);
    m_count->setText(QString::number(count));
    m_list->clear();
    count = std::min(count, VocabularyTable::EntryCapacity);
    QStringList entries;
    entries.reserve(count);
    for (int i = 1; i <= count; ++i)
        entries.append(entryText(i, table.entry(list, i).word));
    m_list->addItems(entries);
}
