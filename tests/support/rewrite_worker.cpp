// Rewrites a settings or vocabulary file in an endless loop, alternating between two complete
// contents, so that a test can kill it at any moment of a write.
// Usage: tev-rewrite-worker settings|vocabulary FOLDER
#include "storage/app_state.h"
#include "storage/scripted_dialogs.h"
#include "storage/settings_files.h"
#include "storage/vocabulary.h"

#include <QCoreApplication>
#include <QStringList>
#include <cstdio>

namespace {

void fill(AppState& state, int version)
{
    const QString tag = version == 0 ? QStringLiteral("旧") : QStringLiteral("新");
    for (int i = 1; i <= 50; ++i)
        state.SharedSettings[i] = tag + QString::number(i) + QString(version * 20, QChar(u'x'));
    state.SharedSettings[3] = QStringLiteral("301"); // list 2 holds 300 words + the end mark
    for (int list = 3; list <= 7; ++list)
        state.SharedSettings[list] = QStringLiteral("301");
    for (int list = 2; list <= 6; ++list) {
        for (int i = 1; i <= 300; ++i)
            state.Vocabulary.setEntry(list, i, {QString(), tag + QStringLiteral("語句") + QString::number(i)});
        state.Vocabulary.setEntry(list, 301, {});
    }
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3)
        return 2;
    ScriptedDialogs dialogs;
    AppState state(dialogs);
    state.ClientFolder = args[2];
    state.DataFolder = args[2];
    state.ClientSettings[1] = args[2];
    const bool settings = args[1] == QStringLiteral("settings");
    std::puts("ready");
    std::fflush(stdout);
    for (int round = 0;; ++round) {
        fill(state, round % 2);
        if (settings)
            WriteSharedSettings(state);
        else
            WriteVocabularyLists(state);
    }
}
