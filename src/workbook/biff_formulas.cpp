#include "workbook/biff_formulas.h"

#include <cstring>

namespace {
constexpr uint32_t EndOfChain = 0xFFFFFFFE;
constexpr uint16_t MaxColumns = 256;

uint16_t u16(const QByteArray& b, qsizetype at)
{
    if (at < 0 || at + 2 > b.size())
        return 0;
    return uint16_t(uint8_t(b[at]) | (uint8_t(b[at + 1]) << 8));
}

uint32_t u32(const QByteArray& b, qsizetype at)
{
    if (at < 0 || at + 4 > b.size())
        return 0;
    return uint32_t(u16(b, at)) | (uint32_t(u16(b, at + 2)) << 16);
}

QString utf16At(const QByteArray& b, qsizetype at, int count)
{
    QString text;
    for (int i = 0; i < count; ++i)
        text += QChar(u16(b, at + 2 * i));
    return text;
}

// Follows a sector chain and joins the sectors; stops at the end mark, a bad sector or a loop.
QByteArray readChain(const QByteArray& source, const std::vector<uint32_t>& table, uint32_t start, int sectorSize,
                     qsizetype base, qsizetype limit)
{
    QByteArray out;
    uint32_t sector = start;
    for (size_t steps = 0; sector != EndOfChain && steps <= table.size(); ++steps) {
        if (sector >= table.size())
            break;
        const qsizetype offset = base + qsizetype(sector) * sectorSize;
        if (offset < 0 || offset + sectorSize > source.size())
            break;
        out.append(source.constData() + offset, sectorSize);
        if (out.size() >= limit)
            break;
        sector = table[sector];
    }
    return out.left(limit);
}
} // namespace

namespace {

// The workbook stream of a compound file, with what the container declares about it.
struct WorkbookStream {
    QByteArray bytes;
    uint32_t declaredSize = 0;
    bool found = false;
    bool namesSound = true; // every directory name fits its 64-byte field and is whole characters
};

WorkbookStream findWorkbookStream(const QByteArray& file)
{
    WorkbookStream result;
    if (file.size() < 512 || std::memcmp(file.constData(), "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) != 0)
        return result;
    const int shift = u16(file, 0x1E);
    const int miniShift = u16(file, 0x20);
    if ((shift != 9 && shift != 12) || miniShift != 6)
        return result;
    const int sectorSize = 1 << shift;
    const qsizetype sectors = file.size() / sectorSize; // bounds every table below

    // The sector allocation table, from the header's list and the chain of further lists.
    std::vector<uint32_t> fatSectors;
    for (int i = 0; i < 109; ++i) {
        const uint32_t s = u32(file, 0x4C + 4 * i);
        if (s < uint32_t(sectors))
            fatSectors.push_back(s);
    }
    uint32_t difat = u32(file, 0x44);
    for (qsizetype steps = 0; difat < uint32_t(sectors) && steps < sectors; ++steps) {
        const qsizetype at = qsizetype(difat + 1) * sectorSize;
        for (int i = 0; i < sectorSize / 4 - 1; ++i) {
            const uint32_t s = u32(file, at + 4 * i);
            if (s < uint32_t(sectors))
                fatSectors.push_back(s);
        }
        difat = u32(file, at + sectorSize - 4);
    }
    std::vector<uint32_t> fat;
    for (uint32_t s : fatSectors) {
        if (qsizetype(fat.size()) > sectors)
            break;
        const qsizetype at = qsizetype(s + 1) * sectorSize;
        for (int i = 0; i < sectorSize / 4; ++i)
            fat.push_back(u32(file, at + 4 * i));
    }
    fat.resize(std::min<size_t>(fat.size(), size_t(sectors)));

    const QByteArray directory = readChain(file, fat, u32(file, 0x30), sectorSize, sectorSize, file.size());
    uint32_t rootStart = EndOfChain, rootSize = 0;
    for (qsizetype at = 0; at + 128 <= directory.size(); at += 128) {
        const int type = uint8_t(directory[at + 0x42]);
        const int declaredNameLength = u16(directory, at + 0x40);
        if (type != 0 && (declaredNameLength > 64 || declaredNameLength % 2 != 0))
            result.namesSound = false;
        const int nameLength = std::min(declaredNameLength, 64);
        const QString name = utf16At(directory, at, std::max(0, nameLength / 2 - 1));
        const uint32_t start = u32(directory, at + 0x74);
        const uint32_t size = u32(directory, at + 0x78);
        if (type == 5) {
            rootStart = start;
            rootSize = size;
        } else if (type == 2 && !result.found && (name == u"Workbook" || name == u"Book")) {
            result.found = true;
            result.declaredSize = size;
            if (size >= u32(file, 0x38)) {
                result.bytes = readChain(file, fat, start, sectorSize, sectorSize, size);
                continue;
            }
            // Small streams live in the mini stream, addressed through the mini table.
            const QByteArray miniStream = readChain(file, fat, rootStart, sectorSize, sectorSize, rootSize);
            const QByteArray miniTableBytes = readChain(file, fat, u32(file, 0x3C), sectorSize, sectorSize,
                                                        file.size());
            std::vector<uint32_t> miniTable;
            for (qsizetype i = 0; i + 4 <= miniTableBytes.size(); i += 4)
                miniTable.push_back(u32(miniTableBytes, i));
            result.bytes = readChain(miniStream, miniTable, start, 64, 0, size);
        }
    }
    return result;
}

} // namespace

QByteArray ReadWorkbookStream(const QByteArray& file)
{
    return findWorkbookStream(file).bytes;
}

bool IsSoundCompoundFile(const QByteArray& file)
{
    if (file.size() < 512 || u16(file, 0x1C) != 0xFFFE)
        return false;
    const int shift = u16(file, 0x1E);
    if (shift != 9 && shift != 12)
        return false;
    const qsizetype sectors = file.size() / (qsizetype(1) << shift) - 1; // after the header
    // Header counts that a reader allocates or loops by must agree with the file.
    const uint32_t fatCount = u32(file, 0x2C);
    if (fatCount == 0 || fatCount > uint32_t(sectors) || u32(file, 0x30) >= uint32_t(sectors)
        || u32(file, 0x38) != 4096)
        return false;
    for (uint32_t i = 0; i < std::min<uint32_t>(fatCount, 109); ++i) {
        if (u32(file, 0x4C + 4 * qsizetype(i)) >= uint32_t(sectors))
            return false;
    }
    const WorkbookStream stream = findWorkbookStream(file);
    // The whole stream as declared, opening with the BOF record of a workbook.
    return stream.found && stream.namesSound && stream.declaredSize >= 4
        && stream.bytes.size() == qsizetype(stream.declaredSize) && u16(stream.bytes, 0) == 0x0809;
}

std::vector<BiffFormula> FindFirstSheetFormulas(const QByteArray& file)
{
    std::vector<BiffFormula> found;
    const QByteArray stream = ReadWorkbookStream(file);
    // The first worksheet's position, from the sheet list of the workbook globals.
    qsizetype sheetStart = -1;
    for (qsizetype at = 0; at + 4 <= stream.size();) {
        const uint16_t type = u16(stream, at), length = u16(stream, at + 2);
        if (type == 0x0085 && length >= 6 && uint8_t(stream[std::min(at + 9, stream.size() - 1)]) == 0) {
            sheetStart = u32(stream, at + 4);
            break;
        }
        if (type == 0x000A)
            break;
        at += 4 + length;
    }
    if (sheetStart <= 0 || sheetStart >= stream.size())
        return found;
    for (qsizetype at = sheetStart; at + 4 <= stream.size();) {
        const uint16_t type = u16(stream, at), length = u16(stream, at + 2);
        const qsizetype data = at + 4;
        if (data + length > stream.size())
            break;
        if (type == 0x000A && at != sheetStart)
            break;
        // A worksheet of this format has 256 columns; a record outside them is damage.
        if (type == 0x0006 && length >= 20 && u16(stream, data + 2) < MaxColumns) {
            BiffFormula formula;
            formula.row = u16(stream, data);
            formula.column = u16(stream, data + 2);
            if (u16(stream, data + 12) == 0xFFFF) {
                switch (uint8_t(stream[data + 6])) {
                case 0: formula.result = BiffFormula::Text; break;
                case 1: formula.result = BiffFormula::Bool; formula.number = uint8_t(stream[data + 8]); break;
                case 2: formula.result = BiffFormula::Error; break;
                case 3: formula.result = BiffFormula::Empty; break;
                default: formula.result = BiffFormula::Unknown;
                }
            } else {
                std::memcpy(&formula.number, stream.constData() + data + 6, 8);
                formula.result = BiffFormula::Number;
            }
            if (formula.result == BiffFormula::Text) {
                // The text result follows in a STRING record.
                const qsizetype next = data + length;
                const uint16_t nextLength = u16(stream, next + 2);
                formula.result = BiffFormula::Unknown;
                if (u16(stream, next) == 0x0207 && nextLength >= 3 && next + 4 + nextLength <= stream.size()) {
                    const int count = u16(stream, next + 4);
                    const bool wide = uint8_t(stream[next + 6]) & 1;
                    const qsizetype chars = next + 7;
                    if (chars + (wide ? 2 : 1) * count <= next + 4 + nextLength) {
                        formula.text = wide ? utf16At(stream, chars, count)
                                            : QString::fromLatin1(stream.constData() + chars, count);
                        formula.result = BiffFormula::Text;
                    }
                }
            }
            found.push_back(formula);
        }
        at = data + length;
    }
    return found;
}
