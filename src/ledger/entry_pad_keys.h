#pragma once
// The entry pad "マウス電卓" without widgets: its keys and buttons with their places (twips
// inside the window) for either decimal setting, and the readout that the keys build.
#include <QString>
#include <vector>

struct PadControl {
    QString caption;
    QString name;      // the widget's objectName
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool visible = true;
    bool key = true;   // a key appends its caption to the readout
};

namespace EntryPadSize {
inline constexpr int WidthTwips = 6600;
inline constexpr int HeightTwips = 3420;
}

// Digits, ",", letters, ".", "-", "/" and the buttons. With decimals off the "." key is hidden
// and "-" takes its place, widened; "説明" is hidden when explanations are switched off.
std::vector<PadControl> EntryPadControls(bool decimals, bool hideExplanation);

QString EntryPadExplanation();

// The caption of the pad key that a typed character stands for ("5" for 5 on either keyboard,
// "A" for a or A); empty when the pad has no such key or it is hidden (the point without
// decimals).
QString PadKeyOfTypedText(const QString& typed, bool decimals);

// The readout and the text box over it. The first key after opening or "取消" replaces the
// shown value; later keys append. Typing into the text box shows the second "決 定", which
// confirms the box's text.
class PadReadout {
public:
    void open(const QString& value);
    void pressKey(const QString& caption);
    void clear();
    // Backspace: the last character of the readout goes; the next key appends to what is left.
    void backspace();
    void textBoxUsed() { m_secondConfirm = true; }

    // The main "決 定": the readout as it stands, trimmed.
    QString confirmReadout() const;
    // The second "決 定" or Enter: the box's text, trimmed, becomes the readout.
    QString confirmTextBox(const QString& boxText);

    const QString& readout() const { return m_readout; }
    const QString& textBox() const { return m_textBox; }
    bool textBoxVisible() const { return m_textBoxVisible; }
    bool secondConfirmVisible() const { return m_secondConfirm; }
    int keyCount() const { return m_keys; }

private:
    QString m_readout;
    QString m_textBox;
    bool m_textBoxVisible = true;
    bool m_secondConfirm = false;
    int m_keys = 0;
};
