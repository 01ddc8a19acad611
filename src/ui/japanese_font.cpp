#include "ui/japanese_font.h"

#include <QApplication>
#include <QFontDatabase>

bool UseJapaneseFont(QApplication& app)
{
    for (const QString& family : {QStringLiteral("Noto Sans CJK JP"), QStringLiteral("Noto Sans JP")}) {
        if (QFontDatabase::hasFamily(family)) {
            QFont font = app.font();
            font.setFamily(family);
            app.setFont(font);
            return true;
        }
    }
    return false;
}
