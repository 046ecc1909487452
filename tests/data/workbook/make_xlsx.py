"""Writes the .xlsx workbooks the workbook reader's tests read, into the folder given, with
openpyxl; and, beside them, the parts openpyxl does not write (formula results, inline strings,
formatted runs, the strict form of the format) and the damaged packages, written as zip archives
directly. The table both kinds of workbook hold, twin.xls and twin.xlsx, is written with xlwt too.

Run with Debian's python3, where python3-openpyxl and python3-xlwt are installed:
    /usr/bin/python3 make_xlsx.py FOLDER
"""
import datetime
import io
import os
import random
import sys
import zipfile

import openpyxl
from openpyxl.chart import BarChart, Reference
from openpyxl.utils.datetime import CALENDAR_MAC_1904

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import make_workbooks  # noqa: E402
import xlwt  # noqa: E402

# One table of every kind of value, with nulls and an empty row, for both kinds of workbook.
TWIN = [
    ['Region', 'Amount', 'Paid', 'Day', 'Note'],
    ['North', 2.5, True, datetime.date(2024, 2, 29), 'first'],
    ['South', -1, False, datetime.date(2023, 12, 31), None],
    ['North', 1234567.125, True, datetime.date(2024, 2, 29), 'third'],
    [None, None, None, None, None],
    ['East', 1e15, None, datetime.date(1999, 1, 1), None],
    ['North', 0, False, None, 'last'],
    ['South', 7, True, datetime.date(2023, 12, 31), 'first'],
]


def write_sheet(ws, rows, formats=None, first_row=1):
    for r, row in enumerate(rows):
        for c, value in enumerate(row):
            if value is None:
                continue
            cell = ws.cell(row=first_row + r, column=c + 1, value=value)
            if formats and formats[c] and r > 0:
                cell.number_format = formats[c]


def twin_workbooks(folder):
    book = openpyxl.Workbook()
    write_sheet(book.active, TWIN, [None, None, None, 'yyyy-mm-dd', None])
    book.active.title = 'Sheet1'
    book.save(folder + '/twin.xlsx')
    old = xlwt.Workbook()
    date = make_workbooks.DATE
    make_workbooks.write_rows(old.add_sheet('Sheet1'), [
        [make_workbooks.styled(v, date) if isinstance(v, datetime.date) else v for v in row]
        for row in TWIN])
    old.save(folder + '/twin.xls')


def types_workbook(folder):
    book = openpyxl.Workbook()
    write_sheet(book.active, TWIN, [None, None, None, 'yyyy-mm-dd', None])
    book.active.title = 'Sheet1'
    # Dates under several formats, built-in ones and masks; and numbers whose formats are none.
    dates = book.create_sheet('Dates')
    moment = datetime.datetime(2024, 2, 29, 13, 45, 59)
    write_sheet(dates, [
        ['Builtin', 'Mask', 'DayMonth', 'Clock', 'Hours', 'Stamp', 'Plain', 'Quoted'],
        [moment, moment, moment, datetime.time(23, 59, 59), 1.5, moment, 45000.5, 45000],
        [datetime.date(1900, 3, 1), datetime.date(2100, 3, 1), datetime.date(2000, 1, 1),
         datetime.time(6, 30), 0.25, datetime.datetime(2000, 1, 1, 0, 0, 1), 1, 2],
    ], ['mm-dd-yy', 'dd/mm/yyyy hh:mm:ss', 'd-mmm', 'hh:mm:ss', '[h]:mm',
        'yyyy-mm-dd hh:mm:ss', '0.00', '"d"0'])
    # A chart sheet, which is no table; an empty sheet; a hidden one with rows left out.
    chart = BarChart()
    chart.add_data(Reference(book.active, min_col=2, min_row=1, max_row=8), titles_from_data=True)
    book.create_chartsheet('Chart').add_chart(chart)
    book.create_sheet('Empty')
    gap = book.create_sheet('Gap')
    write_sheet(gap, [['Key', 'Value'], ['a', 1], ['b', 2]], first_row=2)
    write_sheet(gap, [['c', 3]], first_row=9)
    gap.sheet_state = 'hidden'
    book.save(folder + '/types.xlsx')


def dates_1904_workbook(folder):
    book = openpyxl.Workbook()
    book.epoch = CALENDAR_MAC_1904
    write_sheet(book.active, [['Day', 'Count'], [datetime.date(2024, 2, 29), 3],
                              [datetime.datetime(1904, 1, 2, 12, 0), 4]],
                ['yyyy-mm-dd', None])
    book.save(folder + '/dates1904.xlsx')


RELATIONS = ('<?xml version="1.0" encoding="UTF-8"?>\n<Relationships xmlns="http://schemas.'
             'openxmlformats.org/package/2006/relationships">%s</Relationships>')


def package(path, sheets, shared=None, strict=False, styles=None, compression=zipfile.ZIP_DEFLATED):
    """A package written part by part: sheets are (name, sheetData XML); shared strings and the
    cell formats' XML as given."""
    relations = ('http://purl.oclc.org/ooxml/officeDocument/relationships' if strict else
                 'http://schemas.openxmlformats.org/officeDocument/2006/relationships')
    main = ('http://purl.oclc.org/ooxml/spreadsheetml/main' if strict else
            'http://schemas.openxmlformats.org/spreadsheetml/2006/main')
    parts = {'_rels/.rels': RELATIONS % (
        '<Relationship Id="rId1" Type="%s/officeDocument" Target="xl/workbook.xml"/>' % relations)}
    listed, linked = '', ''
    for i, (name, data) in enumerate(sheets, 1):
        listed += '<sheet name="%s" sheetId="%d" r:id="rId%d"/>' % (name, i, i)
        linked += ('<Relationship Id="rId%d" Type="%s/worksheet" Target="worksheets/sheet%d.xml"/>'
                   % (i, relations, i))
        parts['xl/worksheets/sheet%d.xml' % i] = (
            '<worksheet xmlns="%s"><sheetData>%s</sheetData></worksheet>' % (main, data))
    if shared is not None:
        linked += ('<Relationship Id="rS" Type="%s/sharedStrings" Target="/xl/sharedStrings.xml"/>'
                   % relations)
        parts['xl/sharedStrings.xml'] = '<sst xmlns="%s">%s</sst>' % (main, shared)
    if styles is not None:
        linked += '<Relationship Id="rT" Type="%s/styles" Target="styles.xml"/>' % relations
        parts['xl/styles.xml'] = '<styleSheet xmlns="%s">%s</styleSheet>' % (main, styles)
    parts['xl/_rels/workbook.xml.rels'] = RELATIONS % linked
    parts['xl/workbook.xml'] = ('<workbook xmlns="%s" xmlns:r="%s"><sheets>%s</sheets></workbook>'
                                % (main, relations, listed))
    with zipfile.ZipFile(path, 'w', compression) as z:
        for name, data in parts.items():
            z.writestr(name, data)


def written_parts(folder):
    """Formula results of every kind, inline strings, formatted runs with phonetic readings, a
    date written as text, and cells without references."""
    package(folder + '/parts.xlsx', [('Values', (
        '<row r="1"><c r="A1" t="s"><v>0</v></c><c r="B1" t="inlineStr"><is><t>Result</t></is>'
        '</c></row>'
        '<row r="2"><c r="A2" t="s"><v>1</v></c><c r="B2"><f>1+1</f><v>2</v></c></row>'
        '<row r="3"><c r="A3" t="inlineStr"><is><r><t>in</t></r><r><t xml:space="preserve">'
        'line </t></r></is></c><c r="B3" t="str"><f>"a"&amp;"b"</f><v>ab</v></c></row>'
        '<row r="4"><c r="A4" t="s"><v>2</v></c><c r="B4" t="b"><f>TRUE()</f><v>1</v></c></row>'
        '<row r="5"><c t="s"><v>3</v></c><c t="e"><f>1/0</f><v>#DIV/0!</v></c></row>'
        '<row><c t="d"><v>2024-02-29T13:45:59</v></c><c s="1"><v>45351.5</v></c></row>')),
        ('Second', '<row r="3"><c r="C3" t="s"><v>0</v></c></row>'
                   '<row r="4"><c r="C4"><v>1</v></c></row>')],
        shared=('<si><t>Name</t></si><si><r><rPr><b/></rPr><t>Bold</t></r><r><t xml:space='
                '"preserve"> and plain</t></r></si><si><t>Tokyo</t><rPh sb="0" eb="2"><t>tokyo'
                '</t></rPh></si><si><t></t></si>'),
        styles=('<numFmts count="1"><numFmt numFmtId="164" formatCode="yyyy\\-mm\\-dd"/></numFmts>'
                '<cellStyleXfs count="1"><xf numFmtId="14"/></cellStyleXfs>'
                '<cellXfs count="2"><xf numFmtId="0"/><xf numFmtId="164"/></cellXfs>'))
    # The same in the strict form of the format, its namespaces of their own.
    package(folder + '/strict.xlsx', [('Sheet1', '<row r="1"><c r="A1" t="inlineStr"><is><t>Key'
                                                  '</t></is></c></row><row r="2"><c r="A2"><v>'
                                                  '7</v></c></row>')], strict=True)


def late_workbook(folder):
    """Sheets whose rows past the first ten thousand and one below the header change the table
    they make: text below numbers, a cell right of the columns, a value left of them."""
    def rows(first, last, cells):
        return ''.join('<row r="%d">%s</row>' % (r, cells(r)) for r in range(first, last + 1))
    number = '<c r="%s%d"><v>%d</v></c>'
    text = '<c r="%s%d" t="inlineStr"><is><t>%s</t></is></c>'
    header = '<row r="1">' + text % ('A', 1, 'Key') + text % ('B', 1, 'Amount') + '</row>'
    body = rows(2, 12001, lambda r: number % ('A', r, r) + number % ('B', r, r))
    package(folder + '/late.xlsx', [
        ('Late', header + body + '<row r="12002">' + text % ('B', 12002, 'n/a') + '</row>'),
        ('Wide', header + body + '<row r="12002">' + number % ('D', 12002, 5) + '</row>'),
        ('Left', '<row r="1">' + text % ('B', 1, 'Key') + '</row>' +
         rows(2, 12001, lambda r: number % ('B', r, r)) +
         '<row r="12002">' + number % ('A', 12002, 9) + '</row>'),
        ('Steady', header + body)])


def bad_packages(folder):
    whole = open(folder + '/types.xlsx', 'rb').read()
    open(folder + '/cut.xlsx', 'wb').write(whole[:len(whole) // 2])
    with open(folder + '/notzip.xlsx', 'w') as f:
        f.write('Dear diary,\nthis is not a workbook.\n')
    with zipfile.ZipFile(folder + '/nobook.xlsx', 'w') as z:
        z.writestr('readme.txt', 'nothing of a workbook here')
    # The package of a text document, whose main part is no workbook.
    with zipfile.ZipFile(folder + '/document.xlsx', 'w') as z:
        z.writestr('_rels/.rels', RELATIONS % (
            '<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/'
            'relationships/officeDocument" Target="word/document.xml"/>'))
        z.writestr('word/document.xml', '<w:document xmlns:w="http://schemas.openxmlformats.org/'
                                        'wordprocessingml/2006/main"><w:body/></w:document>')
    package(folder + '/badxml.xlsx', [('Sheet1', '<row r="1"><c r="A1"><v>1</v></row>')])
    package(folder + '/badref.xlsx', [('Sheet1', '<row r="1"><c r="A1"><v>1</v></c></row>'
                                                 '<row r="1"><c r="A1"><v>2</v></c></row>')])
    package(folder + '/badshared.xlsx', [('Sheet1', '<row r="1"><c r="A1" t="s"><v>5</v></c>'
                                                    '</row>')], shared='<si><t>one</t></si>')
    # A part stored as it is, one of whose bytes is then overwritten: its checksum no longer
    # holds, though its XML does.
    package(folder + '/damaged.xlsx', [('Sheet1', ''.join(
        '<row r="%d"><c r="A%d"><v>1</v></c></row>' % (r, r) for r in range(1, 51)))],
        compression=zipfile.ZIP_STORED)
    data = bytearray(open(folder + '/damaged.xlsx', 'rb').read())
    at = data.index(b'<v>1</v>') + 3
    data[at:at + 1] = b'2'
    open(folder + '/damaged.xlsx', 'wb').write(bytes(data))
    # A sheet of blanks that packs to a thousandth of its size: more than the file may unpack to.
    package(folder + '/bomb.xlsx', [('Sheet1', '<row r="1"><c r="A1"><v>1</v></c></row>' +
                                     ' ' * (20 << 20))])
    # An entry whose size says less than it unpacks to.
    package(folder + '/liar.xlsx', [('Sheet1', '<row r="1"><c r="A1"><v>1</v></c></row>' +
                                     ' ' * 4000)])
    data = bytearray(open(folder + '/liar.xlsx', 'rb').read())
    central = 0
    name = b'xl/worksheets/sheet1.xml'
    while True:
        entry = data.index(b'PK\x01\x02', central)
        if data[entry + 46:entry + 46 + len(name)] == name:
            data[entry + 24:entry + 28] = (100).to_bytes(4, 'little')
            break
        central = entry + 4
    open(folder + '/liar.xlsx', 'wb').write(bytes(data))
    # A workbook saved with a password: a compound file holding the encrypted package.
    secret = folder + '/secret.xlsx'
    make_workbooks.small_compound_file(secret, b'\x04\x00\x04\x00' + b'\0' * 60,
                                       name='EncryptionInfo')
    # Its directory's unused entries zeroed, as the programs that encrypt workbooks leave them.
    data = bytearray(open(secret, 'rb').read())
    data[1024 + 256:1024 + 512] = bytes(256)
    open(secret, 'wb').write(bytes(data))


def column_letters(number):
    letters = ''
    while number:
        number, rest = divmod(number - 1, 26)
        letters = chr(ord('A') + rest) + letters
    return letters


def lenient_packages(folder):
    """What other readers read although it bends the format's rules: rows numbered from 0 and
    rows without numbers, a line end written CR LF, cells with a style and no value out to the
    last column and far below, a sheet whose part is missing, a broken package relation; and what
    they refuse: a document type in the workbook part, more shared strings than the package can
    honestly hold, values across more columns than a table can have."""
    text = '<c%s t="inlineStr"><is><t>%s</t></is></c>'
    package(folder + '/intents.xlsx', [
        ('Zero', '<row r="0">' + text % ('', 'Key') + '</row><row r="1"><c><v>1</v></c></row>'
                 '<row><c><v>2</v></c></row><row r="3"><c><v>3</v></c></row>'),
        ('Styled', '<row r="1">' + text % (' r="A1"', 'Key') + text % (' r="B1"', 'Note') +
                   '<c r="XFD1" s="1"/></row><row r="2"><c r="A2"><v>1</v></c>' +
                   text % (' r="B2"', 'one\r\ntwo') + '<c r="C2" t="inlineStr"><is><t></t></is>'
                   '</c></row><row r="90"><c r="A90" s="1"/><c r="XFD90" s="1"/></row>'),
        ('Missing', '')], styles='<cellXfs count="2"><xf numFmtId="0"/><xf numFmtId="0"/></cellXfs>')
    with zipfile.ZipFile(folder + '/intents.xlsx') as z:
        parts = {name: z.read(name) for name in z.namelist()}
    del parts['xl/worksheets/sheet3.xml']
    parts['_rels/.rels'] = b'<?xml version="1.0" encoding="UTF-8"?>\nCORRUPTED'
    with zipfile.ZipFile(folder + '/intents.xlsx', 'w', zipfile.ZIP_DEFLATED) as z:
        for name, data in parts.items():
            z.writestr(name, data)

    package(folder + '/doctype.xlsx', [('Sheet1', '<row r="1"><c><v>1</v></c></row>')])
    with zipfile.ZipFile(folder + '/doctype.xlsx') as z:
        parts = {name: z.read(name) for name in z.namelist()}
    parts['xl/workbook.xml'] = (b'<?xml version="1.0"?><!DOCTYPE w [<!ENTITY a0 "">'
                                b'<!ENTITY a1 "&a0;&a0;&a0;&a0;">]>' + parts['xl/workbook.xml'])
    with zipfile.ZipFile(folder + '/doctype.xlsx', 'w', zipfile.ZIP_DEFLATED) as z:
        for name, data in parts.items():
            z.writestr(name, data)

    # 1.2 million empty shared strings in a package of some 50 KB (a part of random bytes, stored,
    # gives it its size): more than a million, or eight for each byte of the file.
    package(folder + '/strings.xlsx', [('Sheet1', '<row r="1"><c t="s"><v>0</v></c></row>')],
            shared='<si/>' * 1200000)
    with zipfile.ZipFile(folder + '/strings.xlsx', 'a', zipfile.ZIP_STORED) as z:
        z.writestr('docProps/filler.bin', random.Random(7).randbytes(50000))

    package(folder + '/wide.xlsx', [('Sheet1', '<row r="1"><c r="A1"><v>1</v></c><c r="%s1"><v>2'
                                               '</v></c></row>' % column_letters(2001))])


def main():
    folder = sys.argv[1]
    twin_workbooks(folder)
    types_workbook(folder)
    dates_1904_workbook(folder)
    written_parts(folder)
    late_workbook(folder)
    bad_packages(folder)
    lenient_packages(folder)


if __name__ == '__main__':
    main()
