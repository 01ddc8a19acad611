#include "support/temp_client_support.h"

#include "storage/item_record.h"
#include "storage/paths.h"
#include "storage/quoted_text_file.h"
#include "storage/settings_files.h"

#include <QDir>
#include <QFile>
#include <QProcessEnvironment>

TempClient::TempClient(bool separateDataFolder)
{
    m_clientFolder = m_dir.path() + QStringLiteral("/client/");
    m_dataFolder = separateDataFolder ? m_dir.path() + QStringLiteral("/data/") : m_clientFolder;
    QDir().mkpath(m_clientFolder);
    QDir().mkpath(m_dataFolder);
    state.ClientFolder = m_clientFolder;
    state.DataFolder = m_dataFolder;
    state.ClientSettings[1] = m_dataFolder;
    state.ClientSettings[2] = m_dataFolder;
    state.endProgram = [this] { ++endRequests; };
}

void TempClient::writeSettings(const QString& path, const QStringList& values)
{
    QStringList lines;
    for (int i = 0; i < 50; ++i)
        lines.append(JoinQuotedLine({values.value(i)}));
    WriteTextLines(path, lines);
}

void TempClient::writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(bytes);
}

QByteArray TempClient::readBytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

void WriteTestLedger(const QString& path, int count)
{
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    QByteArray all;
    all.reserve(static_cast<qsizetype>(count) * ItemRecord::Length);
    ItemRecord record;
    for (int n = 1; n <= count; ++n) {
        record.clear();
        record.setText(ItemField::Number, QStringLiteral("A") + QString::number(n));
        all.append(record.data(), ItemRecord::Length);
    }
    file.write(all);
}

OtherPc::OtherPc(const AppState& like, const QString& pcName)
{
    state.ClientFolder = like.ClientFolder;
    state.DataFolder = like.DataFolder;
    state.ClientSettings = like.ClientSettings;
    state.SharedSettings = like.SharedSettings;
    state.PcName = pcName;
    state.endProgram = [] {};
    ReadSharedSettings(state);
}

std::unique_ptr<QProcess> StartClientProcess(const QString& program, const QStringList& args)
{
    auto process = std::make_unique<QProcess>();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("TEV_CLIENT_FOLDER"));
    process->setProcessEnvironment(env);
    process->setProcessChannelMode(QProcess::MergedChannels);
    process->start(program, args);
    return process;
}
