#!/usr/bin/env python3
"""Checks that the includes of the source tree follow its floors.

The two libraries list their folders in order, lowest first: core/CMakeLists.txt (CORE_FLOORS)
and ui/CMakeLists.txt (UI_FOLDERS). A file may include files of its own folder and of the
folders before it in its library; core/ includes nothing of ui/, app/ or cli/, and ui/ nothing
of app/ or cli/. A source and its header are one unit; no units of core/ may include each
other in a circle. Prints every break of these rules and exits 1 when there is one.

Usage: include_order.py SOURCE_DIR
"""
import os
import re
import sys

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)


def floors(root, library, variable):
    text = open(os.path.join(root, library, 'CMakeLists.txt'), encoding='utf-8').read()
    match = re.search(r'set\(' + variable + r'\s+([^)]*)\)', text)
    return match.group(1).split() if match else []


def sources(root, top):
    for folder, _, names in os.walk(os.path.join(root, top)):
        for name in sorted(names):
            if name.endswith(('.h', '.cpp')):
                yield os.path.relpath(os.path.join(folder, name), root)


def includes(root, path):
    text = open(os.path.join(root, path), encoding='utf-8').read()
    for target in INCLUDE.findall(text):
        near = os.path.normpath(os.path.join(os.path.dirname(path), target))
        if os.path.exists(os.path.join(root, target)):
            yield target
        elif os.path.exists(os.path.join(root, near)):
            yield near


def place(path, order):
    """(library, floor index) of a path; floor index None outside a listed folder."""
    parts = path.split('/')
    floor = parts[1] if len(parts) > 2 else ''
    return parts[0], (order[parts[0]].index(floor) if floor in order.get(parts[0], []) else None)


def breaks_of_order(root, order):
    forbidden = {'core': ('ui', 'app', 'cli', 'tools', 'tests'), 'ui': ('app', 'cli', 'tools', 'tests')}
    for library in ('core', 'ui'):
        for path in sources(root, library):
            lib, floor = place(path, order)
            for target in includes(root, path):
                tlib, tfloor = place(target, order)
                if tlib in forbidden[library]:
                    yield f'{path} includes {target}: {library}/ uses nothing of {tlib}/'
                elif tlib == lib and floor is not None and tfloor is not None and tfloor > floor:
                    yield (f'{path} includes {target}: {order[lib][floor]}/ stands below '
                           f'{order[lib][tfloor]}/')
                elif tlib == lib and floor is None:
                    yield f'{path}: its folder is not a floor of {lib}/CMakeLists.txt'


def circles(root, tops=('core',)):
    """The circles among the units of the folders tops (each unit a source with its header)."""
    unit = lambda path: os.path.splitext(path)[0]
    inside = lambda path: path.split('/')[0] in tops
    graph = {}
    for top in tops:
        for path in sources(root, top):
            graph.setdefault(unit(path), set()).update(
                unit(t) for t in includes(root, path) if inside(t) and unit(t) != unit(path))
    # Tarjan's strongly connected components; one of two units or more is a circle.
    index, low, stack, on_stack, found = {}, {}, [], set(), []
    counter = [0]

    def visit(v):
        index[v] = low[v] = counter[0]
        counter[0] += 1
        stack.append(v)
        on_stack.add(v)
        for w in sorted(graph.get(v, ())):
            if w not in index:
                visit(w)
                low[v] = min(low[v], low[w])
            elif w in on_stack:
                low[v] = min(low[v], index[w])
        if low[v] == index[v]:
            component = []
            while True:
                w = stack.pop()
                on_stack.discard(w)
                component.append(w)
                if w == v:
                    break
            if len(component) > 1:
                found.append(sorted(component))

    sys.setrecursionlimit(10000)
    for v in sorted(graph):
        if v not in index:
            visit(v)
    return found


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else '.'
    order = {'core': floors(root, 'core', 'CORE_FLOORS'), 'ui': floors(root, 'ui', 'UI_FOLDERS')}
    if not order['core']:
        print('core/CMakeLists.txt lists no floors (CORE_FLOORS)')
        return 1
    problems = list(breaks_of_order(root, order))
    problems += ['circle: ' + ' <-> '.join(c) for c in circles(root)]
    for problem in problems:
        print(problem)
    return 1 if problems else 0


if __name__ == '__main__':
    sys.exit(main())
