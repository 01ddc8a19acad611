#pragma once
// Qt's own texts (standard buttons, context menus of the text fields, file dialogs) in Japanese,
// whatever language the desktop is set to: the whole program speaks Japanese.
class QCoreApplication;

// Installs Qt's Japanese translation (qtbase_ja.qm from Qt's translations folder). False when it
// is not installed; the message boxes caption their buttons themselves all the same.
bool UseJapaneseQtTexts(QCoreApplication& app);
