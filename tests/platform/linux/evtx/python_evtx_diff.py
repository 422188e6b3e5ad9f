#!/usr/bin/python3
"""The strings of every event of saved logs as the Linux build reads them, against python-evtx.

    python_evtx_diff.py BUILD_DIR LOGS...

BUILD_DIR is a Linux build; each of LOGS is an .evtx file, a folder of them or a .tar.xz of
them (unpacked into a temporary folder). The Linux build's strings of each written record come
from linux_evtx_test, whose EvtxEventSource.ALogForTheEventLogApiDouble writes them for the
file that BRASK_EVTX_SAMPLE names. python-evtx (Debian's python3-evtx) reads the same records;
their strings are the values substituted into the innermost elements of the EventData (or the
one element of the UserData), each array item its own, without a classic event's trailing
Binary, nor an optional value left out (null), which Windows' event XML leaves out with the
element that holds nothing else. python-evtx's text of a value is taken as it is, except where
it differs from Windows' event XML, which the Linux build follows: GUIDs in upper case,
hexadecimal numbers without leading zeros, booleans as true and false, binary data in
hexadecimal rather than base64, and times in Windows' form, to the 100 ns of python-evtx's
FILETIME (its own text stops at the microsecond, rounded through floating point) and the
millisecond of its SYSTEMTIME. Its text of a string array puts the empty strings last: the
array's items are cut from its bytes at each null instead. Prints the figures and the first
differences; exits 1 on any.
"""
import base64
import datetime
import os
import re
import subprocess
import sys
import tarfile
import tempfile

import Evtx.Evtx as evtx
import Evtx.Nodes as nodes


class Element:
    def __init__(self, name):
        self.name = name
        self.text = []
        self.substituted = False
        self.attributes = []
        self.children = []
        self.items = None


def filetime_text(node):
    seconds, ticks = divmod(node.unpack_qword(0), 10 ** 7)
    when = datetime.datetime(1601, 1, 1) + datetime.timedelta(seconds=seconds)
    return when.strftime('%Y-%m-%dT%H:%M:%S') + '.%07d00Z' % ticks


def value_text(sub):
    if isinstance(sub, nodes.GuidTypeNode):
        return sub.string().upper()
    if isinstance(sub, (nodes.Hex32TypeNode, nodes.Hex64TypeNode)):
        return '0x' + (sub.string()[2:].lstrip('0') or '0')
    if isinstance(sub, nodes.BooleanTypeNode):
        return sub.string().lower()
    if isinstance(sub, nodes.BinaryTypeNode):
        return base64.b64decode(sub.string()).hex().upper()
    if isinstance(sub, nodes.FiletimeTypeNode):
        return filetime_text(sub)
    if isinstance(sub, nodes.SystemtimeTypeNode):
        when = sub.systemtime()
        return when.strftime('%Y-%m-%dT%H:%M:%S') + '.%03d000000Z' % (when.microsecond // 1000)
    return sub.string()


def add(into, element):
    if element.items is None:
        into.append(element)
        return
    for item in element.items:
        one = Element(element.name)
        one.text, one.substituted = [item], True
        into.append(one)


def content(node, subs, element, attribute):
    if isinstance(node, nodes.ValueNode):
        element.text.append(node.children()[0].string())
    elif isinstance(node, nodes.CDataSectionNode):
        element.text.append(node.cdata())
    elif isinstance(node, nodes.CharacterReferenceNode):
        element.text.append(chr(node.entity()))
    elif isinstance(node, (nodes.NormalSubstitutionNode, nodes.ConditionalSubstitutionNode)):
        sub = subs[node.index()]
        if isinstance(node, nodes.ConditionalSubstitutionNode) and isinstance(sub, nodes.NullTypeNode):
            return
        element.substituted = True
        if isinstance(sub, nodes.BXmlTypeNode):
            element.children.extend(document(sub.root()))
        elif isinstance(sub, nodes.WstringArrayTypeNode):
            items = sub.binary().decode('utf-16-le', 'surrogatepass').split('\0')
            if items[-1] == '':
                items.pop()
            if attribute:
                element.text.append(' '.join(items))
            else:
                element.items = items
        else:
            element.text.append(value_text(sub))


def element_of(node, subs):
    element = Element(node.tag_name())
    for child in node.children():
        if isinstance(child, nodes.AttributeNode):
            attribute = Element(child.attribute_name().string())
            content(child.attribute_value(), subs, attribute, True)
            element.attributes.append(attribute)
        elif isinstance(child, nodes.OpenStartElementNode):
            add(element.children, element_of(child, subs))
        else:
            content(child, subs, element, False)
    return element


def document(root):
    subs = root.substitutions()
    elements = []
    for node in root.template().children():
        if isinstance(node, nodes.OpenStartElementNode):
            add(elements, element_of(node, subs))
    return elements


def text_of(element):
    return ''.join(element.text)


def collect(element, strings):
    strings += [(a.name, text_of(a)) for a in element.attributes if a.substituted]
    if not element.children and element.substituted:
        strings.append((element.name, text_of(element)))
    for child in element.children:
        collect(child, strings)


def child(element, name):
    return next((c for c in element.children if c.name == name), None)


def python_events(path):
    """(provider, event identifier, time to the microsecond, strings) of each record."""
    events = []
    with evtx.Evtx(path) as log:
        for record in log.records():
            try:
                event = document(record.root())[0]
            except Exception as error:  # python-evtx cannot read every record
                events.append(None)
                print('  python-evtx: record %d: %s' % (record.record_num(), error))
                continue
            system = child(event, 'System')
            provider = child(system, 'Provider')
            name = next((text_of(a) for a in provider.attributes if a.name == 'Name'), '')
            created = child(system, 'TimeCreated')
            time = next((text_of(a) for a in created.attributes if a.name == 'SystemTime'), None)
            strings = []
            data = child(event, 'EventData') or child(event, 'ProcessingErrorData')
            user = child(event, 'UserData')
            if data:
                collect(data, strings)
            elif user and len(user.children) == 1:
                collect(user.children[0], strings)
            if strings and strings[-1][0] == 'Binary':
                strings.pop()
            events.append((name, text_of(child(system, 'EventID')), (time or '')[:26],
                           [s for _, s in strings]))
    return events


def unescaped(text):
    return re.sub(r'\\(.)', lambda m: {'t': '\t', 'r': '\r', 'n': '\n'}.get(m.group(1), m.group(1)), text)


def linux_events(build, path):
    """(provider, event identifier, time to the microsecond, strings) of each written record."""
    test = os.path.join(build, 'tests/platform/linux/evtx/linux_evtx_test')
    subprocess.run([test, '--gtest_filter=EvtxEventSource.ALogForTheEventLogApiDouble'],
                   env=dict(os.environ, BRASK_EVTX_SAMPLE=path), stdout=subprocess.DEVNULL)
    events = []
    with open(os.path.join(build, 'evt-differential/events.txt'), encoding='utf-8') as lines:
        for line in lines:
            fields = [f.split('=', 1) for f in line.rstrip('\n').split('\t')]
            value = lambda key: next((v for k, v in fields if k == key), '')
            events.append((value('provider')[4:], value('id')[4:], value('time')[:26],
                           [unescaped(v[4:]) for k, v in fields if k == 'string']))
    return events


def compare(build, path):
    """The numbers of records compared, differing and not found in python-evtx's."""
    theirs = python_events(path)
    compared = differing = unmatched = 0
    start = 0
    for provider, identifier, time, strings in linux_events(build, path):
        found = next((i for i in range(start, len(theirs))
                      if theirs[i] and theirs[i][:3] == (provider, identifier, time)), None)
        if found is None:
            unmatched += 1
            continue
        start = found + 1
        compared += 1
        expected = theirs[found][3]
        if expected != strings:
            differing += 1
            if differing <= 5:
                print('  %s %s %s\n    python-evtx: %r\n    Linux:       %r' % (
                    provider, identifier, time, expected, strings))
    return compared, differing, unmatched


def logs(arguments, folder):
    for argument in arguments:
        if argument.endswith('.tar.xz'):
            with tarfile.open(argument) as archive:
                archive.extractall(folder)
            argument = folder
        if os.path.isdir(argument):
            yield from sorted(os.path.join(argument, name) for name in os.listdir(argument)
                              if name.lower().endswith('.evtx'))
        else:
            yield argument


def main():
    build, arguments = sys.argv[1], sys.argv[2:]
    totals = [0, 0, 0]
    with tempfile.TemporaryDirectory() as folder:
        paths = list(logs(arguments, folder))
        for path in paths:
            print(os.path.basename(path))
            figures = compare(build, path)
            print('  records compared %d, differing %d, not in python-evtx %d' % figures)
            totals = [t + f for t, f in zip(totals, figures)]
    print('%d files: records compared %d, differing %d, not in python-evtx %d' % (len(paths), *totals))
    return 1 if totals[1] else 0


if __name__ == '__main__':
    sys.exit(main())
