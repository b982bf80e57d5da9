#!/usr/bin/env python3
"""Prints the figures of the source tree's shape: files per folder, the largest files, include
circles and breaks of the floors (include_order.py), the main window's members, the places that
read a spin control's value (and why), and the lines of tests against the lines of code.

Usage: tree_measures.py [SOURCE_DIR]
"""
import os
import re
import sys

import include_order

NOT_CODE = ('tests', 'bench', 'Themes', 'Language', 'packaging', 'scripts', 'cmake')
SOURCE = ('.h', '.cpp')


def lines(path):
    with open(path, encoding='utf-8', errors='replace') as f:
        return sum(1 for _ in f)


def files_of(root, tops):
    for top in tops:
        for folder, _, names in os.walk(os.path.join(root, top)):
            for name in names:
                if name.endswith(SOURCE):
                    yield os.path.join(folder, name)


def window_members(root):
    """(data members, public members) of the main window class."""
    path = next((os.path.join(root, p) for p in ('ui/window/main_window.h', 'mainwindow/gif_frame.h')
                 if os.path.exists(os.path.join(root, p))), None)
    if not path:
        return None, None, None
    text = open(path, encoding='utf-8').read()
    match = re.search(r'\nclass (\w+) : public wxFrame[^{]*\{(.*?)\n\};', text, re.S)
    if not match:
        return None, None, None
    body = re.sub(r'//[^\n]*', '', match.group(2))
    access, depth, data, public = 'private', 0, 0, 0
    statement = ''
    for line in body.split('\n'):
        stripped = line.strip()
        if depth == 0 and re.match(r'(public|protected|private)\s*:', stripped):
            access = stripped.split(':')[0].strip()
            continue
        if depth == 0:
            statement += ' ' + stripped
            if stripped.endswith((';', '}')) or stripped.endswith('{'):
                s = statement.strip()
                statement = ''
                if s.startswith(('friend', 'using', 'typedef', 'wxDECLARE', 'enum', 'struct')):
                    pass
                elif s and s != '}' and s != '};':
                    is_data = '(' not in s.split('=')[0] or re.search(r'\bstd::function\b', s)
                    if is_data and re.search(r'\bm_\w+|\bs_\w+', s):
                        data += 1
                    if access == 'public':
                        public += 1
        depth += line.count('{') - line.count('}')
    return match.group(1), data, public


def spin_reads(root):
    """Where a spin control's value is read: as data (a fault: the document holds the
    values), as the typed input in the handler of the control's own change event, or just
    before writing it, so that only a differing value is written (the typed text keeps its
    caret)."""
    data, input_reads, shown_checks = [], 0, 0
    for path in files_of(root, CODE):
        text = open(path, encoding='utf-8').read().split('\n')
        function = ''
        for i, line in enumerate(text):
            head = re.match(r'^\w[\w:<>,\s*&]*::(\w+)\(', line)
            if head:
                function = head.group(1)
            read = re.search(r'(m_spinctrl_\w+)->GetValue\(\)', line)
            if not read:
                continue
            follows = i + 1 < len(text) and read.group(1) + '->SetValue(' in text[i + 1]
            if re.search(r'\bif \(' + read.group(1) + r'->GetValue\(\) != ', line) and follows:
                shown_checks += 1
            elif function.startswith('On'):
                input_reads += 1
            else:
                data.append(f'{os.path.relpath(path, root)}:{i + 1}')
    return data, input_reads, shown_checks


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else '.'
    global CODE
    CODE = tuple(d for d in sorted(os.listdir(root)) if os.path.isdir(os.path.join(root, d))
                 and not d.startswith(('.', 'build')) and d not in NOT_CODE)
    counts = {}
    for path in files_of(root, CODE):
        folder = os.path.relpath(os.path.dirname(path), root)
        counts[folder] = counts.get(folder, 0) + 1
    print(f'folders: {len(counts)}; most files in one: '
          f'{max(counts.values())} ({max(counts, key=counts.get)})')
    over = [f'{f} ({n})' for f, n in sorted(counts.items()) if n > 25]
    print(f'folders over 25 files: {", ".join(over) if over else "none"}')
    sizes = sorted(((lines(p), os.path.relpath(p, root)) for p in files_of(root, CODE)),
                   reverse=True)
    print('largest files: ' + ', '.join(f'{p} ({n})' for n, p in sizes[:3]))
    print(f'files over 600 lines: {sum(1 for n, _ in sizes if n > 600)}')
    if os.path.exists(os.path.join(root, 'core/CMakeLists.txt')):
        order = {'core': include_order.floors(root, 'core', 'CORE_FLOORS'),
                 'ui': include_order.floors(root, 'ui', 'UI_FOLDERS')}
        print(f'includes against the floors: '
              f'{len(list(include_order.breaks_of_order(root, order)))}')
    print(f'include circles in core/: {len(include_order.circles(root))}; '
          f'in all the code: {len(include_order.circles(root, CODE))}')
    name, data, public = window_members(root)
    print(f'main window ({name}): {data} data members, {public} public members')
    data, input_reads, shown_checks = spin_reads(root)
    print(f'spin control values read as data: {len(data)} ({", ".join(data) or "none"}); '
          f'as the input of their own change event: {input_reads}; '
          f'to write only a value that differs: {shown_checks}')
    code = sum(lines(p) for p in files_of(root, CODE))
    tests = sum(lines(p) for p in files_of(root, ('tests',)))
    print(f'lines: code {code}, tests {tests} ({tests / code:.2f} test lines a code line)')
    return 0


if __name__ == '__main__':
    sys.exit(main())
