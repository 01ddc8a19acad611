// The word list parser: lines of a quoted id and word up to the first empty word. A list that
// is read, written back and read again must give the same entries.
#include "fuzz_support.h"
#include "storage/cp932_codec.h"
#include "storage/quoted_text_file.h"
#include "storage/vocabulary.h"

namespace {

QString afterWriting(const QString& value)
{
    QString written = value;
    written.replace(u'"', u'\'');
    return Cp932::decode(Cp932::encode(written));
}

constexpr int List = VocabularyTable::FirstUsedList;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QStringList lines = SplitTextLines(FuzzBytes(data, size));
    VocabularyTable table;
    ReadVocabularyList(table, List, lines);
    const int count = table.wordCount(List);
    FUZZ_CHECK(count >= 0 && count <= VocabularyTable::EntryCapacity);
    FUZZ_CHECK(count <= lines.size());

    QByteArray file;
    for (int i = 1; i <= count; ++i) {
        const VocabularyEntry& e = table.entry(List, i);
        file += Cp932::encode(JoinQuotedLine({e.id, e.word}));
        file += "\r\n";
    }
    VocabularyTable again;
    ReadVocabularyList(again, List, SplitTextLines(file));
    FUZZ_CHECK(again.wordCount(List) == count);
    for (int i = 1; i <= again.wordCount(List); ++i) {
        FUZZ_CHECK(again.entry(List, i).id == afterWriting(table.entry(List, i).id));
        FUZZ_CHECK(again.entry(List, i).word == afterWriting(table.entry(List, i).word));
    }
    return 0;
}
