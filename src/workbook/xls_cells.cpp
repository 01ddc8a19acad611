#include "workbook/xls_cells.h"

#include "workbook/worksheet.h"

#include <QFile>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <freexl.h>
#include <poll.h>
#include <signal.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

// Present only under a sanitizer runtime (test builds), whose death callbacks a fuzzing driver
// uses to record the whole run as failed.
extern "C" void __sanitizer_set_death_callback(void (*callback)(void)) __attribute__((weak));

namespace {

// What the child writes: cells as tagged records, then one end record with the outcome.
enum Tag : uint8_t { NumberCell = 1, TextCell = 2, End = 3 };
// Outcomes of the child; the index into Failures.
const char* const Failures[] = {nullptr, "unreadable .xls", "no worksheet", "first worksheet", "sheet dimensions",
                                "cell"};
constexpr uint8_t FailureCount = sizeof Failures / sizeof Failures[0];
// A child that sends nothing for this long is taken to hang in the library.
constexpr int SilenceLimitMs = 60'000;

template <typename T>
void put(std::string& out, T value)
{
    out.append(reinterpret_cast<const char*>(&value), sizeof value);
}

bool writeAll(int fd, const std::string& data)
{
    size_t done = 0;
    while (done < data.size()) {
        const ssize_t n = ::write(fd, data.data() + done, data.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += size_t(n);
    }
    return true;
}

// The child: only FreeXL, plain memory and write(); no Qt, since the parent may have threads
// whose locks the child does not own. Never returns.
[[noreturn]] void readInChild(const char* path, int fd)
{
    // A fault here is expected for some damaged files and is reported by the parent: the child
    // ends quietly, without the messages or callbacks of a sanitizer runtime.
    if (__sanitizer_set_death_callback)
        __sanitizer_set_death_callback(nullptr);
    if (const int quiet = ::open("/dev/null", O_WRONLY | O_CLOEXEC); quiet >= 0)
        ::dup2(quiet, STDERR_FILENO);
    std::string out;
    uint8_t outcome = 0;
    const void* handle = nullptr;
    unsigned int sheets = 0;
    unsigned int rows = 0;
    unsigned short columns = 0;
    if (freexl_open(path, &handle) != FREEXL_OK)
        outcome = 1;
    else if (freexl_get_info(handle, FREEXL_BIFF_SHEET_COUNT, &sheets) != FREEXL_OK || sheets < 1)
        outcome = 2;
    else if (freexl_select_active_worksheet(handle, 0) != FREEXL_OK)
        outcome = 3;
    else if (freexl_worksheet_dimensions(handle, &rows, &columns) != FREEXL_OK || rows > 65536 || columns > 256)
        outcome = 4;
    for (unsigned int r = 0; outcome == 0 && r < rows; ++r) {
        for (unsigned short c = 0; c < columns; ++c) {
            FreeXL_CellValue value;
            if (freexl_get_cell_value(handle, r, c, &value) != FREEXL_OK) {
                outcome = 5;
                break;
            }
            switch (value.type) {
            case FREEXL_CELL_INT:
            case FREEXL_CELL_DOUBLE:
                put(out, NumberCell);
                put(out, uint32_t(r));
                put(out, uint16_t(c));
                put(out, value.type == FREEXL_CELL_INT ? double(value.value.int_value) : value.value.double_value);
                break;
            case FREEXL_CELL_TEXT:
            case FREEXL_CELL_SST_TEXT:
            case FREEXL_CELL_DATE:
            case FREEXL_CELL_DATETIME:
            case FREEXL_CELL_TIME:
                if (value.value.text_value) {
                    const size_t length = std::strlen(value.value.text_value);
                    put(out, TextCell);
                    put(out, uint32_t(r));
                    put(out, uint16_t(c));
                    put(out, uint32_t(length));
                    out.append(value.value.text_value, length);
                }
                break;
            default:
                break;
            }
            if (out.size() >= (1u << 20)) {
                if (!writeAll(fd, out))
                    _exit(1);
                out.clear();
            }
        }
    }
    if (handle)
        freexl_close(handle);
    put(out, End);
    put(out, outcome);
    _exit(writeAll(fd, out) ? 0 : 1);
}

// Everything the child sends, until it closes the pipe or stays silent too long.
bool readFromChild(int fd, pid_t child, QByteArray& data)
{
    char buffer[1 << 16];
    while (true) {
        pollfd waiting{fd, POLLIN, 0};
        const int ready = ::poll(&waiting, 1, SilenceLimitMs);
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0) {
            ::kill(child, SIGKILL);
            return false;
        }
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        if (n == 0)
            return true;
        data.append(buffer, qsizetype(n));
    }
}

// Takes the child's records into the sheet; every length is checked against what arrived.
const char* takeCells(const QByteArray& data, Worksheet& sheet)
{
    qsizetype at = 0;
    const auto take = [&](auto& value) {
        if (at + qsizetype(sizeof value) > data.size())
            return false;
        std::memcpy(&value, data.constData() + at, sizeof value);
        at += qsizetype(sizeof value);
        return true;
    };
    while (true) {
        uint8_t tag = 0;
        uint32_t row = 0;
        uint16_t column = 0;
        if (!take(tag))
            return Failures[1];
        if (tag == End) {
            uint8_t outcome = 0;
            if (!take(outcome) || outcome >= FailureCount || at != data.size())
                return Failures[1];
            return Failures[outcome];
        }
        if ((tag != NumberCell && tag != TextCell) || !take(row) || !take(column) || row >= 65536 || column >= 256)
            return Failures[1];
        if (tag == NumberCell) {
            double number = 0;
            if (!take(number))
                return Failures[1];
            sheet.setNumber(int(row) + 1, int(column) + 1, number);
        } else {
            uint32_t length = 0;
            if (!take(length) || qsizetype(length) > data.size() - at)
                return Failures[1];
            sheet.setText(int(row) + 1, int(column) + 1, std::string_view(data.constData() + at, length));
            at += qsizetype(length);
        }
    }
}

} // namespace

const char* ReadXlsCells(const QString& path, Worksheet& sheet)
{
    const QByteArray nativePath = QFile::encodeName(path);
    int pipeEnds[2];
    if (::pipe2(pipeEnds, O_CLOEXEC) != 0)
        return Failures[1];
    const pid_t child = ::fork();
    if (child < 0) {
        ::close(pipeEnds[0]);
        ::close(pipeEnds[1]);
        return Failures[1];
    }
    if (child == 0) {
        ::close(pipeEnds[0]);
        readInChild(nativePath.constData(), pipeEnds[1]);
    }
    ::close(pipeEnds[1]);
    QByteArray data;
    const bool whole = readFromChild(pipeEnds[0], child, data);
    ::close(pipeEnds[0]);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (!whole || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return Failures[1];
    return takeCells(data, sheet);
}
