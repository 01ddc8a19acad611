#pragma once
// Japanese captions need a CJK font wherever the desktop's default lacks one.
class QApplication;

// Makes the first installed Noto CJK family the application font. False when none is installed
// (the desktop's default font stays).
bool UseJapaneseFont(QApplication& app);
