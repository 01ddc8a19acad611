// The settings file parser: the 50 quoted lines of a settings file. What is read, written back
// and read again must give the same values.
#include "fuzz_support.h"
#include "storage/cp932_codec.h"
#include "storage/quoted_text_file.h"
#include "storage/settings_files.h"

namespace {

// A value as it comes back from a file: quotes are written as apostrophes and characters that
// cp932 cannot hold as '?'.
QString afterWriting(const QString& value)
{
    QString written = value;
    written.replace(u'"', u'\'');
    return Cp932::decode(Cp932::encode(written));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QStringList text = SplitTextLines(FuzzBytes(data, size));
    SettingsLines lines;
    const bool whole = ReadSettingsLines(text, lines);
    FUZZ_CHECK(whole == (text.size() >= SettingsLineCount));
    if (!whole)
        return 0;

    QByteArray file;
    for (int i = 1; i <= SettingsLineCount; ++i) {
        file += Cp932::encode(JoinQuotedLine({lines[i]}));
        file += "\r\n";
    }
    SettingsLines again;
    FUZZ_CHECK(ReadSettingsLines(SplitTextLines(file), again));
    for (int i = 1; i <= SettingsLineCount; ++i)
        FUZZ_CHECK(again[i] == afterWriting(lines[i]));
    return 0;
}
