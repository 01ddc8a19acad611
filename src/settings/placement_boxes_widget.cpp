#include "settings/placement_boxes_widget.h"

#include "settings/data_folder_registration.h"
#include "settings/data_folder_texts.h"
#include "storage/app_state.h"
#include "storage/dialogs.h"
#include "ui/switch_label.h"
#include "ui/widget_geometry.h"

#include <QLabel>

PlacementBoxesWidget::PlacementBoxesWidget(AppState& state, QWidget* parent) : QWidget(parent), m_state(state)
{
    setObjectName(QStringLiteral("placementBoxes"));
    resize(twipsRect(0, 0, WidthTwips, HeightTwips).size());
    placed(new QLabel(QStringLiteral("データフォルダー位置"), this), QStringLiteral("placementCaption"), 0, 0, WidthTwips,
           360);
    m_dataFolderBox = placed(new SwitchLabel(this), QStringLiteral("dataFolderBox"), 0, 420, 1680, 375);
    m_dataFolderBox->setText(QStringLiteral("DetaFolder"));
    m_dataFolderBox->setAlignment(Qt::AlignCenter);
    m_programFolderBox = placed(new SwitchLabel(this), QStringLiteral("programFolderBox"), 1800, 420, 1680, 375);
    m_programFolderBox->setText(QStringLiteral("C:PFolder"));
    m_programFolderBox->setAlignment(Qt::AlignCenter);

    connect(m_dataFolderBox, &SwitchLabel::clicked, this, &PlacementBoxesWidget::explainPlacement);
    connect(m_programFolderBox, &SwitchLabel::clicked, this, &PlacementBoxesWidget::returnToProgramFolder);
    refresh();
}

void PlacementBoxesWidget::refresh()
{
    const bool ownFolder = m_state.ClientSettings[ClientLine::DataFolder] != m_state.ClientFolder;
    m_dataFolderBox->setOn(ownFolder);
    m_programFolderBox->setOn(!ownFolder);
}

void PlacementBoxesWidget::explainPlacement()
{
    emit closeAllPanelsRequested();
    m_state.dialogs.inform(DataFolderText::ConfirmTitle, PlacementExplanation(m_state.ClientFolder));
}

void PlacementBoxesWidget::returnToProgramFolder()
{
    emit closeAllPanelsRequested();
    if (!ReturnToProgramFolder(m_state))
        return;
    refresh();
    emit settingsChanged();
    emit returnedToProgramFolder();
}
