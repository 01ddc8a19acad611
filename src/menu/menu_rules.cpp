#include "menu/menu_rules.h"

#include "storage/app_state.h"
#include "storage/field_text.h"
#include "storage/paths.h"

#include <QDate>

const QList<OptionSwitchLine>& OptionSwitchLines()
{
    static const QList<OptionSwitchLine> lines = {
        {OptionSwitch::Logo, false, ClientLine::ShowLogo},
        {OptionSwitch::TemplatePlacement, false, ClientLine::TemplatePlacement},
        {OptionSwitch::HideExplanations, false, ClientLine::HideExplanations},
        {OptionSwitch::ViewOnly, false, ClientLine::ViewOnly},
        {OptionSwitch::MonthlyImport, true, SharedLine::MonthlyImport},
        {OptionSwitch::Decimals, true, SharedLine::Decimals},
        {OptionSwitch::StartOfUse, true, SharedLine::StartOfUse},
        {OptionSwitch::CommonDocuments, true, SharedLine::CommonDocuments},
        {OptionSwitch::LoginPassword, true, SharedLine::LoginPassword},
    };
    return lines;
}

OptionSwitchLine LineOf(OptionSwitch id)
{
    for (const OptionSwitchLine& line : OptionSwitchLines())
        if (line.id == id)
            return line;
    Q_UNREACHABLE();
}

bool IsSwitchOn(const AppState& state, OptionSwitch id)
{
    const OptionSwitchLine line = LineOf(id);
    const QString& value = line.shared ? state.SharedSettings[line.line] : state.ClientSettings[line.line];
    if (id == OptionSwitch::LoginPassword)
        return value == QStringLiteral("1");
    return ReadFlag(value);
}

bool HasAdministratorRights(const AppState& state)
{
    return state.ClientSettings[ClientLine::Administrator] == QStringLiteral("1");
}

bool IsStopAllSet(const AppState& state)
{
    return state.SharedSettings[SharedLine::StopAll] == QStringLiteral("1");
}

bool PasswordPanelShownAtLoad(const AppState& state)
{
    return IsSwitchOn(state, OptionSwitch::LoginPassword) && !state.MenuShownBefore;
}

QString LogoPicturePath(const AppState& state)
{
    return state.ClientFolder + DataFileName::PictureFolder + QChar(PathSeparator) + QStringLiteral("yuuza.jpg");
}

QString LogoMissingMessage(const QString& path)
{
    return path + QChar(u'\r') + QStringLiteral("　画像が登録されてません。。");
}

QStringList LogoOffsetChoices()
{
    QStringList choices;
    for (int offset = 20; offset <= 1600; offset += 20)
        choices.append(QString::number(offset));
    return choices;
}

int LogoLeftTwips(const QString& offsetSetting)
{
    return LogoBaseLeftTwips + static_cast<int>(ReadNumber(offsetSetting));
}

QString MenuDateText()
{
    return QDate::currentDate().toString(QStringLiteral("yyyy/MM/dd"));
}
