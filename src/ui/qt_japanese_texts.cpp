#include "ui/qt_japanese_texts.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

bool UseJapaneseQtTexts(QCoreApplication& app)
{
    // Owned by the application: it has to live as long as the program shows texts.
    auto* translator = new QTranslator(&app);
    if (!translator->load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}
