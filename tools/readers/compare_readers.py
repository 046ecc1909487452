#!/usr/bin/python3
"""Drills every table of every file in a folder with quarrymere-drill and compares the root and
the first level of each table's grouping tree with what an independent reader reads: python3-xlrd
for .xls workbooks, python3-openpyxl for .xlsx and .xlsm packages, mdbtools for Access files.

The first level groups a table by its first column, so the reader's side is the same: the rows
below the sheet's first row with a value (the whole table, for Access), grouped by the value in
the first column that holds one, text without regard to case. The counts of the groups are
compared, not their labels, which each program writes in its own way. A file both refuse is no
difference; one that only one of them reads is.

usage: compare_readers.py DRILL FOLDER [--access]
Prints a line per table and a summary; exits 1 when anything differs."""
import collections
import csv
import io
import os
import re
import subprocess
import sys
import zipfile

WORKBOOKS = ('.xls', '.xlsx', '.xlsm')
ACCESS = ('.mdb', '.accdb')


def key(value):
    if isinstance(value, str):
        return value.casefold().rstrip(' ')
    if isinstance(value, float) and value.is_integer():
        return str(int(value))
    return str(value)


def figures(cells):
    """(rows, sorted group counts) of a sheet's cells {(row, column): value}, None for none."""
    if not cells:
        return None
    first_row = min(r for r, _ in cells)
    first_column = min(c for _, c in cells)
    last_row = max(r for r, _ in cells)
    groups = collections.Counter(key(cells[(r, first_column)]) if (r, first_column) in cells
                                 else None for r in range(first_row + 1, last_row + 1))
    return last_row - first_row, sorted(groups.values())


def xls_tables(path):
    import xlrd
    book = xlrd.open_workbook(path, on_demand=True, logfile=open(os.devnull, 'w'))
    for index in range(book.nsheets):
        sheet = book.sheet_by_index(index)
        cells = {}
        for r in range(sheet.nrows):
            for c in range(sheet.row_len(r)):
                cell = sheet.cell(r, c)
                if cell.ctype in (xlrd.XL_CELL_EMPTY, xlrd.XL_CELL_BLANK, xlrd.XL_CELL_ERROR):
                    continue
                if cell.ctype == xlrd.XL_CELL_TEXT and cell.value == '':
                    continue
                cells[(r, c)] = cell.value
        yield sheet.name + '$', figures(cells)


def macro_sheets(path):
    """The sheets of a package whose part is an Excel 4 macro sheet, which the program leaves out."""
    with zipfile.ZipFile(path) as package:
        try:
            relations = package.read('xl/_rels/workbook.xml.rels').decode('utf-8', 'replace')
            workbook = package.read('xl/workbook.xml').decode('utf-8', 'replace')
        except KeyError:
            return set()
    ids = set(re.findall(r'<Relationship[^>]*?Id="([^"]+)"[^>]*?Type="[^"]*macrosheet"',
                         relations, re.I))
    ids |= set(re.findall(r'<Relationship[^>]*?Type="[^"]*macrosheet"[^>]*?Id="([^"]+)"',
                          relations, re.I))
    return {name for name, rid in re.findall(r'<sheet [^>]*?name="([^"]+)"[^>]*?r:id="([^"]+)"',
                                             workbook) if rid in ids}


def xlsx_tables(path):
    import openpyxl
    book = openpyxl.load_workbook(path, read_only=True, data_only=True)
    macros = macro_sheets(path)
    for sheet in book.worksheets:
        if sheet.title in macros:
            continue
        cells = {}
        for row in sheet.iter_rows():
            for cell in row:
                value = getattr(cell, 'value', None)
                if value is None or value == '':
                    continue
                cells[(cell.row - 1, cell.column - 1)] = value
        yield sheet.title + '$', figures(cells)


def access_tables(path):
    names = subprocess.run(['mdb-tables', '-1', path], stdout=subprocess.PIPE, check=True,
                           text=True).stdout.split('\n')
    for name in filter(None, names):
        exported = subprocess.run(['mdb-export', '-D', '%Y-%m-%d %H:%M:%S', path, name],
                                  stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                                  check=True).stdout
        rows = list(csv.reader(io.StringIO(exported.decode('utf-8', 'replace'))))[1:]
        groups = collections.Counter(key(row[0]) if row and row[0] != '' else None
                                     for row in rows)
        yield name, (len(rows), sorted(groups.values()))


def run(drill, path, *arguments):
    """The drill's output and its message (what it wrote to the error output but Qt's notes)."""
    option = '--access' if path.lower().endswith(ACCESS) else '--excel'
    done = subprocess.run([drill, option, path] + list(arguments), stdout=subprocess.PIPE,
                          stderr=subprocess.PIPE, timeout=600,
                          env=dict(os.environ, QT_QPA_PLATFORM='offscreen'))
    message = ' '.join(line for line in done.stderr.decode('utf-8', 'replace').split('\n')
                       if line.strip() and not re.match(r'\s*(OpenType|QStandardPaths|This plugin)',
                                                        line))
    return done.returncode, done.stdout.decode('utf-8', 'replace'), message


def drilled(drill, path, table):
    """(rows, sorted group counts), or the program's refusal as text."""
    status, out, message = run(drill, path, '--table', table, '--depth', '1', '--date-group',
                               'None')
    if status != 0:
        return message or 'refused'
    lines = [line for line in out.split('\n') if line.strip()]
    number = lambda m: int(m.group(1).replace(',', ''))
    root = number(re.search(r'\(([\d,]+)', lines[0]))
    counts = [number(m) for m in (re.search(r'\(([\d,]+)(?:\)$|; Min:)', line)
                                  for line in lines[1:]) if m]
    return root, sorted(counts)


def listed(drill, path):
    """The tables the program lists, or its refusal of the file."""
    _, _, message = run(drill, path, '--table', '\x01')
    found = re.search(r'its tables are: (.*)\.$', message, re.S)
    return (None, message) if not found else (found.group(1).split(', '), None)


def main():
    drill, folder = sys.argv[1], sys.argv[2]
    kinds = WORKBOOKS + (ACCESS if '--access' in sys.argv else ())
    files = sorted(os.path.join(root, name) for root, _, names in os.walk(folder)
                   for name in names if name.lower().endswith(kinds))
    opened = refused_both = compared_tables = nodes = 0
    differences, lenient = [], []
    for path in files:
        name = os.path.relpath(path, folder)
        reader = (access_tables if path.lower().endswith(ACCESS) else
                  xls_tables if path.lower().endswith('.xls') else xlsx_tables)
        try:
            expected = dict(reader(path))
            oracle_problem = None
        except Exception as problem:  # the reader refuses the file
            expected, oracle_problem = None, str(problem).split('\n')[0][:100]
        tables, refusal = listed(drill, path)
        if expected is None and tables is not None:
            # Refused when one of its tables is.
            refusal = next((got for got in (drilled(drill, path, t) for t in tables)
                            if isinstance(got, str)), None)
            tables = None if refusal else tables
        if expected is None or tables is None:
            if expected is None and tables is None:
                refused_both += 1
                print('both refuse %s: %s | %s' % (name, refusal[:160], oracle_problem))
            elif expected is None:
                lenient.append('%s (the reader: %s)' % (name, oracle_problem))
                print('read by the program alone: ' + lenient[-1])
            else:
                differences.append('%s: %s' % (name, refusal))
                print('DIFF ' + differences[-1])
            continue
        opened += 1
        lower = {t.casefold(): t for t in tables}
        for table, figures_expected in expected.items():
            if table.casefold() not in lower:
                differences.append('%s: table %s not listed' % (name, table))
                print('DIFF ' + differences[-1])
                continue
            got = drilled(drill, path, lower.pop(table.casefold()))
            compared_tables += 1
            same = got == figures_expected or (figures_expected is None and isinstance(got, str))
            if same and figures_expected:
                nodes += 1 + len(figures_expected[1])
            shown = lambda f: f if not isinstance(f, tuple) else '%d rows, %d groups' % (
                f[0], len(f[1]))
            print('%s %s %s: reader %s, program %s' % ('same' if same else 'DIFF', name, table,
                                                       shown(figures_expected), shown(got)))
            if not same:
                differences.append('%s %s: reader %s, program %s' % (name, table,
                                                                     figures_expected, got))
        # mdbtools lists the user's tables alone; the program lists its system tables and saved
        # queries too.
        for table in [] if path.lower().endswith(ACCESS) else lower.values():
            differences.append('%s: table %s listed by the program alone' % (name, table))
            print('DIFF ' + differences[-1])
    print('\n%d files: %d opened by both, %d refused by both, %d read by the program alone; '
          '%d tables, %d nodes equal; %d differences' % (len(files), opened, refused_both,
                                                          len(lenient), compared_tables, nodes,
                                                          len(differences)))
    for difference in differences:
        print('  ' + difference)
    return 1 if differences else 0


if __name__ == '__main__':
    sys.exit(main())
