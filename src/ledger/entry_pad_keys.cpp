#include "ledger/entry_pad_keys.h"

#include "storage/dialogs.h"
#include "storage/field_text.h"

std::vector<PadControl> EntryPadControls(bool decimals, bool hideExplanation)
{
    std::vector<PadControl> controls;
    for (int digit = 1; digit <= 9; ++digit)
        controls.push_back({QString::number(digit), QStringLiteral("padKey%1").arg(digit), 120 + 480 * (digit - 1), 600,
                            495, 480});
    controls.push_back({QStringLiteral("0"), QStringLiteral("padKey0"), 4440, 600, 975, 480});
    controls.push_back({QStringLiteral(","), QStringLiteral("padKeyComma"), 5400, 600, 975, 480});
    for (int k = 0; k < 26; ++k) {
        const QString letter(QChar(u'A' + k));
        controls.push_back({letter, QStringLiteral("padKey") + letter, 120 + 480 * (k % 13), k < 13 ? 1080 : 1560, 495, 480});
    }
    controls.push_back({QStringLiteral("."), QStringLiteral("padKeyPoint"), 3240, 2040, 735, 480, decimals});
    if (decimals)
        controls.push_back({QStringLiteral("-"), QStringLiteral("padKeyMinus"), 3960, 2040, 735, 480});
    else
        controls.push_back({QStringLiteral("-"), QStringLiteral("padKeyMinus"), 3240, 2040, 1454, 480});
    controls.push_back({QStringLiteral("/"), QStringLiteral("padKeySlash"), 4680, 2040, 1695, 480});

    controls.push_back({QStringLiteral("決 定"), QStringLiteral("padConfirmButton"), 120, 2040, 3135, 975, true, false});
    controls.push_back(
        {QStringLiteral("決 定"), QStringLiteral("padSecondConfirmButton"), 120, 2040, 3135, 975, false, false});
    controls.push_back({QStringLiteral("取消"), QStringLiteral("padClearButton"), 3260, 2520, 1440, 495, true, false});
    controls.push_back({QStringLiteral("閉じる"), QStringLiteral("padCloseButton"), 4680, 2520, 1700, 495, true, false});
    controls.push_back(
        {QStringLiteral("説明"), QStringLiteral("padExplainButton"), 5640, 120, 700, 375, !hideExplanation, false});
    return controls;
}

QString EntryPadExplanation()
{
    return joinLines({QStringLiteral(" 電卓表示枠をクリックする事で"), QStringLiteral("　直接　英文字・数字の入力が可能です。"),
                      QStringLiteral("　マウスキー選択でも可能です。"),
                      QStringLiteral("　※金額及び数値入力は桁区切りはいりません。")});
}

void PadReadout::open(const QString& value)
{
    m_readout = value;
    m_textBox = value;
    m_textBoxVisible = true;
    m_secondConfirm = false;
    m_keys = 0;
}

void PadReadout::pressKey(const QString& caption)
{
    m_textBoxVisible = false;
    m_secondConfirm = false;
    if (m_keys == 0)
        m_readout.clear();
    m_readout += caption;
    m_textBox = m_readout;
    ++m_keys;
}

QString PadKeyOfTypedText(const QString& typed, bool decimals)
{
    if (typed.size() != 1)
        return {};
    const QChar c = typed[0].toUpper();
    if ((c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') || c == u'-' || c == u'/' || c == u',')
        return QString(c);
    if (c == u'.' && decimals)
        return QString(c);
    return {};
}

void PadReadout::backspace()
{
    m_textBoxVisible = false;
    m_secondConfirm = false;
    m_readout.chop(1);
    m_textBox = m_readout;
    ++m_keys;
}

void PadReadout::clear()
{
    m_readout.clear();
    m_textBox.clear();
    m_textBoxVisible = true;
    m_keys = 0;
}

QString PadReadout::confirmReadout() const
{
    return FieldText(m_readout);
}

QString PadReadout::confirmTextBox(const QString& boxText)
{
    m_readout = FieldText(boxText);
    m_textBox = m_readout;
    return m_readout;
}
