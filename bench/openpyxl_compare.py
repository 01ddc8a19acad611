"""openpyxl's side of bench/compare.sh. Prints the seconds of one run and a count.

  openpyxl_compare.py write CELLS WORKBOOK [--write-only]
      writes the cells of the tab-separated list (row, column, n|s, value) as plain cells;
      the list is read before the clock starts
  openpyxl_compare.py read WORKBOOK [--read-only]
      loads the workbook and iterates over the value of every cell of its first sheet
"""
import sys
import time

import openpyxl

UNESCAPE = {"t": "\t", "n": "\n", "r": "\r", "\\": "\\"}


def unescape(text):
    if "\\" not in text:
        return text
    out = []
    chars = iter(text)
    for c in chars:
        out.append(UNESCAPE.get(next(chars, ""), "") if c == "\\" else c)
    return "".join(out)


def number(text):
    value = float(text)
    return int(value) if value.is_integer() and abs(value) < 2**53 else value


def load_rows(path):
    """The cells grouped by row, in row order, each row ordered by column."""
    rows = {}
    with open(path, encoding="utf-8") as cells:
        for line in cells:
            row, column, kind, value = line.rstrip("\n").split("\t", 3)
            value = number(value) if kind == "n" else unescape(value)
            rows.setdefault(int(row), []).append((int(column), value))
    return sorted(rows.items())


def write(cells_path, workbook_path, write_only):
    rows = load_rows(cells_path)
    count = sum(len(cells) for _, cells in rows)
    start = time.perf_counter()
    if write_only:
        book = openpyxl.Workbook(write_only=True)
        sheet = book.create_sheet()
        previous = 0
        for row, cells in rows:
            for _ in range(row - previous - 1):
                sheet.append([])
            line = [None] * cells[-1][0]
            for column, value in cells:
                line[column - 1] = value
            sheet.append(line)
            previous = row
    else:
        book = openpyxl.Workbook()
        sheet = book.active
        for row, cells in rows:
            for column, value in cells:
                sheet.cell(row=row, column=column, value=value)
    book.save(workbook_path)
    return time.perf_counter() - start, count


def read(workbook_path, read_only):
    start = time.perf_counter()
    book = openpyxl.load_workbook(workbook_path, read_only=read_only)
    sheet = book.worksheets[0]
    count = 0
    for line in sheet.iter_rows(values_only=True):
        for value in line:
            if value is not None:
                count += 1
    book.close()
    return time.perf_counter() - start, count


def main(args):
    if len(args) >= 3 and args[0] == "write":
        seconds, count = write(args[1], args[2], "--write-only" in args[3:])
    elif len(args) >= 2 and args[0] == "read":
        seconds, count = read(args[1], "--read-only" in args[2:])
    else:
        print(__doc__, file=sys.stderr)
        return 2
    print(f"{seconds:.6f} {count}")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
