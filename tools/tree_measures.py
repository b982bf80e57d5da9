#!/usr/bin/env python3
"""Prints the figures of the source tree's shape: files per folder, the largest files, include
circles and breaks of the floors (include_order.py), the main window's members, the places that
read a spin control's value, and the lines of tests against the lines of code.

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
    reads = [f'{os.path.relpath(p, root)}:{i}'
             for p in files_of(root, CODE)
             for i, l in enumerate(open(p, encoding='utf-8'), 1)
             if re.search(r'm_spinctrl_\w+->GetValue\(\)', l)]
    print(f'spin control values read: {len(reads)} ({", ".join(reads)})')
    code = sum(lines(p) for p in files_of(root, CODE))
    tests = sum(lines(p) for p in files_of(root, ('tests',)))
    print(f'lines: code {code}, tests {tests} ({tests / code:.2f} test lines a code line)')
    return 0


if __name__ == '__main__':
    sys.exit(main())
