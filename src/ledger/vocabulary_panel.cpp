#include "ledger/vocabulary_panel.h"

#include "ledger/raised_panel.h"
#include "ui/clickable_label.h"
#include "ui/widget_geometry.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>

VocabularyPanel::VocabularyPanel(QWidget* parent) : QFrame(parent)
{
    raisedPanel(this);
    m_top = placed(new ClickableLabel(this), QStringLiteral("vocabularyTopPicture"), 0, 0, WidthTwips, 300);
    m_top->setFrameShape(QFrame::Panel);
    placed(new QLabel(this), QStringLiteral("vocabularyCaption"), 120, 360, 2400, 320);
    placed(new QLabel(this), QStringLiteral("vocabularyCountLabel"), 2640, 360, 1400, 320);
    placed(new QListWidget(this), QStringLiteral("List1"), 120, 720, 3960, 4240);
    placed(new QPushButton(QStringLiteral("追記"), this), QStringLiteral("addWordButton"), 120, 5080, 1600, 400);
    placed(new QPushButton(QStringLiteral("閉じる"), this), QStringLiteral("vocabularyCloseButton"), 2480, 5080, 1600,
           400);
    // The edit-table work fills List1 and connects the word pick, "追記" and "閉じる".
}
