#include "ledger/monthly_import_panel.h"

#include "ledger/raised_panel.h"
#include "ui/widget_geometry.h"

#include <QPushButton>

MonthlyImportPanel::MonthlyImportPanel(QWidget* parent) : QFrame(parent)
{
    raisedPanel(this);
    m_edit = placed(new QPushButton(QStringLiteral("入出庫記載"), this), QStringLiteral("monthlyEditButton"), 120, 120,
                    1700, 480);
    m_import = placed(new QPushButton(QStringLiteral("入出庫転記"), this), QStringLiteral("monthlyImportButton"), 1940,
                      120, 1700, 480);
    m_close = placed(new QPushButton(QStringLiteral("閉じる"), this), QStringLiteral("monthlyCloseButton"), 1940, 840,
                     1700, 480);
    connect(m_close, &QPushButton::clicked, this, &QWidget::hide);
    // The monthly import connects "入出庫記載" and "入出庫転記".
}
