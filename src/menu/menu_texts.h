#pragma once
// Fixed texts of the menu's help buttons and of its usage examples panel.
#include <QString>

// "説明" of the stock alert panel (title "登録確認").
QString AlertHelpText();
// "説 明" beside the option switches (title "保全履歴確認").
QString SwitchesHelpText();
// The usage examples shown by "運用事例", one paragraph per example.
QString UsageExamplesText();
