"""Writes the workbooks the workbook reader's tests read, into the folder given.

Run with Debian's python3, where python3-xlwt is installed:
    /usr/bin/python3 make_workbooks.py FOLDER

xlwt writes formulas without a result; the tests need the result Excel keeps with each formula
(a number, text, a truth value or an error), so `results` gives it for chosen formulas. xlwt
writes no charts either; `with_charts` adds them to the records xlwt writes.
"""
import datetime
import struct
import sys

import xlwt
from xlwt import BIFFRecords, Cell, CompoundDoc, UnicodeUtils

# id of an xlwt.Formula -> the result kept with it (the formula objects live as long as the book)
results = {}


class StringRecord(BIFFRecords.BiffRecord):
    """The text a formula's result is, in the record that follows the formula's."""
    _REC_ID = 0x0207

    def __init__(self, text):
        self._rec_data = UnicodeUtils.upack2(text)

    def get(self):
        """The record, and CONTINUE records after it where the text is longer than a record holds,
        each beginning with the flags byte of the characters it holds."""
        data, most = self._rec_data, 8224
        width = 2 if data[2] & 1 else 1
        first = 3 + (most - 3) // width * width
        records, rest = record(self._REC_ID, data[:first]), data[first:]
        while rest:
            here = (most - 1) // width * width
            records += record(0x003C, data[2:3] + rest[:here])
            rest = rest[here:]
        return records


def result_bytes(value):
    if isinstance(value, bool):
        return struct.pack('<BBBBHH', 1, 0, int(value), 0, 0, 0xFFFF)
    if isinstance(value, tuple):  # ('error', code)
        return struct.pack('<BBBBHH', 2, 0, value[1], 0, 0, 0xFFFF)
    if isinstance(value, str):
        return struct.pack('<BBBBHH', 0, 0, 0, 0, 0, 0xFFFF)
    return struct.pack('<d', value)


def formula_with_result(cell):
    data = plain_formula(cell)
    if id(cell.frmla) not in results:
        return data
    value = results[id(cell.frmla)]
    # The record's header takes 4 bytes, then row, column and format 6 more, then the result.
    data = data[:10] + result_bytes(value) + data[18:]
    if isinstance(value, str):
        data += StringRecord(value).get()
    return data


plain_formula = Cell.FormulaCell.get_biff_data
Cell.FormulaCell.get_biff_data = formula_with_result

DATE = xlwt.easyxf(num_format_str='yyyy-mm-dd')
DAY_MONTH = xlwt.easyxf(num_format_str='d-mmm')
HOURS = xlwt.easyxf(num_format_str='[h]:mm')
DATETIME = xlwt.easyxf(num_format_str='yyyy-mm-dd hh:mm:ss')
TIME = xlwt.easyxf(num_format_str='hh:mm:ss')


def write_rows(ws, rows, first_row=0, first_column=0):
    for r, row in enumerate(rows):
        for c, value in enumerate(row):
            if value is None:
                continue
            style = xlwt.Style.default_style
            if isinstance(value, tuple) and value[0] == 'style':
                _, value, style = value
            if isinstance(value, tuple) and value[0] == 'formula':
                _, text, result = value
                value = xlwt.Formula(text)
                results[id(value)] = result
            if isinstance(value, tuple) and value[0] == 'error':
                ws.row(first_row + r).set_cell_error(first_column + c, value[1], style)
                continue
            ws.write(first_row + r, first_column + c, value, style)


def styled(value, style):
    return ('style', value, style)


def formula(text, result):
    return ('formula', text, result)


def types_workbook():
    book = xlwt.Workbook()
    # Every kind of column, a text column to group by, nulls in the middle and a blank row.
    write_rows(book.add_sheet('Sheet1'), [
        ['Region', 'Amount', 'Paid', 'Total', 'Note', 'Status'],
        ['North', 2.5, True, formula('B2*2', 5.0), 'first', formula('IF(C2,"ok","no")', 'ok')],
        ['South', -1, False, formula('B3*2', -2.0), None, formula('C3', False)],
        ['North', 1234567.125, True, formula('B4*2', 2469134.25), 'third', 'plain'],
        [None, None, None, None, None, None],
        ['East', 1e15, None, formula('B6*2', 2e15), None, formula('1/0', ('error', 7))],
        ['North', 0, False, formula('B7*2', 0.0), 'last', None],
    ])
    # Dates, times and both; and columns mixing dates with other kinds.
    write_rows(book.add_sheet('Dates'), [
        ['Day', 'Moment', 'Clock', 'AnyDate', 'DateOrNumber', 'Due'],
        [styled(datetime.date(2024, 2, 29), DATE),
         styled(datetime.datetime(2024, 2, 29, 13, 45, 59), DATETIME),
         styled(datetime.time(23, 59, 59), TIME),
         styled(datetime.date(1999, 12, 31), DATE),
         styled(datetime.date(2001, 9, 9), DATE),
         styled(formula('A2+30', 45381.0), DATE)],
        [styled(datetime.date(1900, 3, 1), DATE),
         styled(datetime.datetime(2000, 1, 1, 0, 0, 1), DATETIME),
         styled(datetime.time(0, 0, 0), TIME),
         styled(datetime.time(6, 30, 0), TIME),
         12.5,
         styled(formula('A3+0.75', 61.75), DATETIME)],
        [None, None, None,
         styled(datetime.datetime(2010, 7, 4, 8, 9, 10), DATETIME),
         'text', None],
    ])
    # Names of columns: blank and repeated headers, a number for a header; an empty column; a
    # column of numbers and text. The sheet's name holds an apostrophe.
    write_rows(book.add_sheet("Joe's"), [
        ['Name', None, 'Name', 'NAME', 2024, 'Code', 'Nothing', 'Flags', 'Errors'],
        ['Ann', 'x', 'a', 'A', 1, 42, None, True, ('error', '#DIV/0!')],
        ['Bob', 'y', 'b', 'B', 2, 'A-7', None, 1, ('error', '#N/A!')],
        ['Cy', 'z', 'c', 'C', 3, 0.25, None, 'yes', 'text'],
        ['Di', None, 'd', 'D', 4, 1234567.5, None, None, 5],
    ])
    book.add_sheet('Empty')
    # A table that starts away from the top left corner.
    write_rows(book.add_sheet('Offset'), [['Key', 'Value'], ['k1', 1], ['k2', 2]],
               first_row=2, first_column=3)
    # Numbers whose formats show less than they hold, and days after 2100, which is no leap year.
    write_rows(book.add_sheet('Exact'), [
        ['Shown', 'Hours', 'Late'],
        [styled(45000.75, DAY_MONTH), styled(1, HOURS), styled(datetime.date(2100, 3, 1), DATE)],
        [styled(45000.5, DATE), styled(1.5, HOURS), styled(datetime.date(2400, 2, 29), DATE)],
    ])
    return book


def names_workbook():
    """Headers and sheet names that are no plain names: brackets (one header reads as an
    expression when its brackets are taken as SQL), quotes, a dot and blanks. Excel itself allows
    no brackets in a sheet's name; xlwt checks names only when a sheet is added."""
    book = xlwt.Workbook()
    write_rows(book.add_sheet('Other'), [['Amount', 'Note'], [100, 'other'], [200, 'other']])
    write_rows(book.add_sheet('Brackets'), [
        ['Amount', 'Amount] * 1000 + [Amount', 'Na]me', 'Joe\'s "Q"', '[Bracketed]',
         'Unit.Price', 'Two Words'],
        [1, 5, 'x', 'q1', 10, 1.5, 'a b'],
        [2, 5, 'y', None, 20, 2.5, 'a b'],
        [2, 7, 'x', 'q1', 10, 1.5, 'c'],
        [3, None, 'z', 'q2', 20, 1.5, 'c'],
    ])
    book.get_sheet(1).name = 'Other$] AS [t'
    write_rows(book.add_sheet('Bob\'s "Q"'), [['Key', 'Value'], ['k', 1], ['k', 2]])
    return book


def dates_1904_workbook():
    book = xlwt.Workbook()
    book.dates_1904 = True
    write_rows(book.add_sheet('Sheet1'), [
        ['Day', 'Due'],
        [styled(datetime.date(2024, 2, 29), DATE), styled(formula('A2+1', 43890.0), DATE)],
    ])
    return book


def long_text(length, wide):
    """Text of the length given, of letters, with an omega every hundredth character when wide
    (so that its characters take two bytes each)."""
    return ''.join('\u03a9' if wide and k % 100 == 0 else chr(65 + k % 26) for k in range(length))


def long_text_workbook():
    """Cells of text longer than a record holds, which run on over one or more CONTINUE records
    of the shared strings, and a short one after them; and formulas resulting in the same texts,
    which run on from their String records."""
    book = xlwt.Workbook()
    rows = ((8000, False), (20000, True), (32767, False), (1, False))
    write_rows(book.add_sheet('Long'), [['Length', 'Wide', 'Text', 'Result']] +
               [[length, wide, long_text(length, wide),
                 formula('C%d' % (row + 2), long_text(length, wide))]
                for row, (length, wide) in enumerate(rows)])
    return book


BOF, EOF, BOUNDSHEET, WINDOW2 = 0x0809, 0x000A, 0x0085, 0x023E
CHART, CHART_SHEET = 0x0020, 2


def record(kind, data=b''):
    return struct.pack('<HH', kind, len(data)) + data


def joined(records):
    return b''.join(record(kind, data) for kind, data in records)


def substreams(stream):
    """The stream's records, (kind, data), as one list per substream from its BOF to its EOF."""
    parts, at = [], 0
    while at + 4 <= len(stream):
        kind, length = struct.unpack_from('<HH', stream, at)
        if kind == 0 and length == 0:
            break
        if kind == BOF:
            parts.append([])
        parts[-1].append((kind, stream[at + 4:at + 4 + length]))
        at += 4 + length
    return parts


def chart(values):
    """A chart's substream, BOF (of a chart) to EOF, with the cache of the values it plots: cell
    records (a size, numbers, a truth value, a text) that a reader taking them for the sheet's
    would misplace."""
    body = record(0x1001, struct.pack('<H', 0))  # units
    body += record(0x0200, struct.pack('<IIHHH', 0, len(values), 0, 1, 0))  # size of the cache
    for index in (1, 2, 3):
        body += record(0x1065, struct.pack('<H', index))  # which series the values are
    for row, value in enumerate(values):
        body += record(0x0203, struct.pack('<HHHd', row, 1, 0, value))
    body += record(0x0205, struct.pack('<HHHBB', 2, 2, 0, 1, 0))  # TRUE
    body += record(0x0204, struct.pack('<HHHHB', 0, 0, 0, 6, 0) + b'cached')
    return record(BOF, struct.pack('<HHHHII', 0x0600, CHART, 0x0DBB, 0x07CC, 0, 6)) + body + \
        record(EOF)


def with_charts(stream):
    """The workbook stream with a chart embedded in its first sheet, after the cells, and a chart
    sheet "Chart1" listed and stored after that sheet."""
    workbook, *sheets = substreams(stream)
    window = next(i for i, (kind, _) in enumerate(sheets[0]) if kind == WINDOW2)
    parts = [joined(sheets[0][:window]) + chart([999.0, 998.0, 997.0]) +
             joined(sheets[0][window:]), chart([1.0, 2.0])] + [joined(s) for s in sheets[1:]]
    listed = [i for i, (kind, _) in enumerate(workbook) if kind == BOUNDSHEET]
    workbook.insert(listed[0] + 1, (BOUNDSHEET, struct.pack('<IBBBB', 0, 0, CHART_SHEET, 6, 0) +
                                    b'Chart1'))
    start = len(joined(workbook))
    listings = iter(i for i, (kind, _) in enumerate(workbook) if kind == BOUNDSHEET)
    for part in parts:
        i = next(listings)
        workbook[i] = (BOUNDSHEET, struct.pack('<I', start) + workbook[i][1][4:])
        start += len(part)
    return joined(workbook) + b''.join(parts)


def only_a_chart_sheet(stream):
    """The workbook stream with its one sheet made a chart sheet."""
    workbook, _ = substreams(stream)
    listed = next(i for i, (kind, _) in enumerate(workbook) if kind == BOUNDSHEET)
    workbook[listed] = (BOUNDSHEET, struct.pack('<IBB', len(joined(workbook)), 0, CHART_SHEET) +
                        workbook[listed][1][6:])
    return joined(workbook) + chart([1.0])


def small_compound_file(path, stream, name='Workbook'):
    """Writes the stream, smaller than 4096 bytes, as the compound file's "Workbook" (or the name
    given) in the mini
    stream's blocks of 64 bytes (xlwt pads every stream to take whole sectors): the allocation
    table, the directory and the mini table take a sector each, the mini stream the rest."""
    free, end, fat_sector = 0xFFFFFFFF, 0xFFFFFFFE, 0xFFFFFFFD
    size = len(stream)
    stream += b'\0' * (-size % 512)
    mini_count, container = (size + 63) // 64, len(stream) // 512

    def sector(data):
        return data + b'\xff' * (512 - len(data))

    def chain(first, count):
        return [first + i + 1 for i in range(count - 1)] + [end]

    def entry(name, kind, child, start, size):
        encoded = (name + '\0').encode('utf-16-le')
        return struct.pack('<64sHBBIII16sIQQIIxxxx', encoded, len(encoded), kind, 1, free, free,
                           child, b'', 0, 0, 0, start, size)

    header = struct.pack('<8s16sHHHHH6xIIIIIIIII', b'\xd0\xcf\x11\xe0\xa1\xb1\x1a\xe1', b'',
                         0x3E, 3, 0xFFFE, 9, 6, 0, 1, 1, 0, 4096, 2, 1, end, 0)
    header += struct.pack('<I', 0) + b'\xff' * (4 * 108)
    fat = sector(struct.pack('<3I', fat_sector, end, end) +
                 struct.pack('<%dI' % container, *chain(3, container)))
    directory = sector(entry('Root Entry', 5, 1, 3, len(stream)) +
                       entry(name, 2, free, 0, size))
    mini_table = sector(struct.pack('<%dI' % mini_count, *chain(0, mini_count)))
    with open(path, 'wb') as f:
        f.write(header + fat + directory + mini_table + stream)


def main():
    folder = sys.argv[1]
    types = types_workbook()
    types.save(folder + '/types.xls')
    # The same sheets with charts, which the reader must pass over.
    CompoundDoc.XlsDoc().save(folder + '/charts.xls', with_charts(types.get_biff_data()))
    long_text_workbook().save(folder + '/long.xls')
    names_workbook().save(folder + '/names.xls')
    dates = dates_1904_workbook()
    dates.save(folder + '/dates1904.xls')
    small_compound_file(folder + '/small.xls', with_charts(dates.get_biff_data()))
    CompoundDoc.XlsDoc().save(folder + '/chart.xls', only_a_chart_sheet(dates.get_biff_data()))


if __name__ == '__main__':
    main()
