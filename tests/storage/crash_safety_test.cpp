// A writer killed at any moment leaves each settings and vocabulary file either old or new, whole.
#include "support/temp_client_support.h"

#include "storage/quoted_text_file.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QThread>
#include <gtest/gtest.h>

#include <csignal>

namespace {

// True when the file holds `lines` lines and every one carries the same version tag.
void expectWholeFile(const QString& path, int lines)
{
    const QByteArray bytes = TempClient::readBytes(path);
    ASSERT_FALSE(bytes.isEmpty()) << path.toStdString();
    EXPECT_TRUE(bytes.endsWith("\r\n"));
    const auto text = ReadTextLines(path);
    ASSERT_TRUE(text.has_value());
    ASSERT_EQ(text->size(), lines) << path.toStdString();
    const bool old = text->at(0).contains(QStringLiteral("旧"));
    for (const QString& line : *text) {
        if (line.contains(QStringLiteral("語句")) || line.contains(QStringLiteral("x")) || line.startsWith(QStringLiteral("\"旧"))
            || line.startsWith(QStringLiteral("\"新"))) {
            EXPECT_EQ(line.contains(QStringLiteral("旧")), old) << line.toStdString();
        }
    }
}

void killWorkerRepeatedly(const QString& mode, const std::function<void(const QString& folder)>& check)
{
    TempClient client;
    const QString worker = QStringLiteral(TEV_BIN_DIR "/tev-rewrite-worker");
    for (int round = 0; round < 12; ++round) {
        QProcess process;
        process.start(worker, {mode, client.clientFolder()});
        ASSERT_TRUE(process.waitForReadyRead(10000));
        QThread::msleep(5 + QRandomGenerator::global()->bounded(40));
        ::kill(static_cast<pid_t>(process.processId()), SIGKILL);
        process.waitForFinished(10000);
        check(client.clientFolder());
    }
}

} // namespace

TEST(CrashSafety, KilledSettingsWriteLeavesAWholeFile)
{
    killWorkerRepeatedly(QStringLiteral("settings"), [](const QString& folder) {
        const QString path = folder + QStringLiteral("Ma在庫品基礎.dat");
        if (QFile::exists(path))
            expectWholeFile(path, 50);
    });
}

TEST(CrashSafety, KilledVocabularyWriteLeavesWholeFiles)
{
    killWorkerRepeatedly(QStringLiteral("vocabulary"), [](const QString& folder) {
        for (int list = 2; list <= 6; ++list) {
            const QString path = folder + QStringLiteral("Mb在庫品0%1.dat").arg(list);
            if (QFile::exists(path))
                expectWholeFile(path, 301);
        }
    });
}
