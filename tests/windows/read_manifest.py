"""Reads a PE file's embedded manifest (RT_MANIFEST) and checks what Windows checks
before it starts the program: the manifest is well-formed XML, and the architecture its
assemblyIdentity names is the program's own machine or "*". Windows refuses a program
whose manifest names another architecture ("side-by-side configuration is incorrect");
Wine does not check. Prints the manifest's text on standard output and one line on
standard error naming the architecture read and the machine.
  read_manifest.py <file.exe>
"""
import sys
import xml.etree.ElementTree as ElementTree

import pefile

ASM_V1 = "{urn:schemas-microsoft-com:asm.v1}"
MACHINES = {0x14C: "x86", 0x8664: "amd64", 0xAA64: "arm64"}


def fail(why):
    sys.exit("FAIL: " + why)


def manifests(pe):
    directory = getattr(pe, "DIRECTORY_ENTRY_RESOURCE", None)
    for kind in directory.entries if directory else []:
        if kind.id == 24:  # RT_MANIFEST
            for name in kind.directory.entries:
                for language in name.directory.entries:
                    data = language.data.struct
                    yield pe.get_data(data.OffsetToData, data.Size)


def main():
    pe = pefile.PE(sys.argv[1])
    machine = MACHINES.get(pe.FILE_HEADER.Machine)
    if machine is None:
        fail("unknown PE machine 0x%x" % pe.FILE_HEADER.Machine)
    found = list(manifests(pe))
    if len(found) != 1:
        fail("%d manifests in the file, not one" % len(found))
    try:
        root = ElementTree.fromstring(found[0])
    except ElementTree.ParseError as error:
        fail("the manifest is not well-formed XML: %s" % error)
    if root.tag != ASM_V1 + "assembly":
        fail("the manifest's root is %s, not assembly" % root.tag)
    identity = root.find(ASM_V1 + "assemblyIdentity")
    if identity is None:
        fail("the manifest names no assemblyIdentity of its own")
    architecture = identity.get("processorArchitecture")
    if architecture not in (machine, "*"):
        fail('the manifest says processorArchitecture="%s"; the program is %s'
             % (architecture, machine))
    sys.stdout.write(found[0].decode("utf-8"))
    sys.stderr.write('manifest: well-formed, processorArchitecture="%s", PE machine %s\n'
                     % (architecture, machine))


main()
