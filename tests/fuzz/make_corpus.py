#!/usr/bin/env python3
"""Builds the seed corpus of the fuzz targets from the sample data in examples/.

Writes tests/fuzz/corpus/<target>/<name>, replacing the earlier seeds but
keeping the inputs that once found a fault (regress-*). The file
name tables must stay in the order of the fuzz targets' tables; inputs of
several files are chunks separated by FF FF, each chunk's first byte picking
the file (see fuzz_support.h)."""
import pathlib

HERE = pathlib.Path(__file__).resolve().parent
EXAMPLES = HERE.parent.parent / "examples"
CORPUS = HERE / "corpus"
SEP = b"\xff\xff"

BOREHOLE = ["N1A.TXT", "N4.TXT", "N11.TXT", "N3.TXT", "N13.TXT", "N12.TXT", "G101.TXT", "N5.TXT",
            "N5.hed", "N5.hd2", "G30.TXT", "G31.TXT", "G32.TXT", "G33.TXT", "G34.TXT", "G35.TXT",
            "G41.TXT", "G41A.txt", "G41B.txt", "MITUDO.TXT", "G72.TXT", "N6.txt", "N7.txt", "CNT.TXT",
            "TITL1.TXT", "TITL2.TXT", "N1.TXT"]
PATTERN = ["L1.txt", "L2.txt", "L3.txt", "l10.txt", "L4.txt", "L13.txt", "L14.txt", "L15.txt",
           "L16.txt", "L17.txt", "L18.txt", "L18b.txt", "L19.txt", "L100.txt", "L23.txt", "KISHITU.TXT",
           "KONNYU.TXT", "XKISHITU.TXT"]
LISTS = ["L8.txt", "L9.txt"]
CONVERTER_NAMES = BOREHOLE + PATTERN + LISTS
TITLE_NAMES = ["TITL1.TXT", "TITL2.TXT", "L1.txt", "L2.txt", "L3.txt"]
SETTINGS_NAMES = ["DodavoZ5.ini", "Ridevi.ini", "KISHITU.TXT", "KONNYU.TXT"]

# Which lists each source file needs, for small single-converter seeds.
NEEDS = {"N11.TXT": ["l10.txt"], "N3.TXT": ["l10.txt"], "N13.TXT": ["L4.txt"],
         "G30.TXT": ["L19.txt"], "G31.TXT": ["L13.txt"], "G32.TXT": ["L14.txt"], "G33.TXT": ["L15.txt"],
         "G34.TXT": ["L16.txt"], "G35.TXT": ["L17.txt"], "G72.TXT": ["L18.txt", "L18b.txt"],
         "N5.TXT": ["N5.hed", "N5.hd2"], "G41.TXT": ["G41A.txt", "G41B.txt"],
         "N6.txt": ["L9.txt", "L100.txt", "L23.txt"], "N7.txt": ["L8.txt"],
         "N1A.TXT": ["KISHITU.TXT", "XKISHITU.TXT"], "N4.TXT": ["KONNYU.TXT"]}


def find(name):
    """The sample file of that name (letter case ignored), B-1 first."""
    for folder in ["DIZIVAD/B-1", "DIZIVAD/B-2", "RIDEVI", "LISTS"]:
        for path in (EXAMPLES / folder).iterdir():
            if path.name.lower() == name.lower():
                return path.read_bytes()
    return None


def chunks(names, table, lookup=find):
    parts = []
    for name in names:
        data = lookup(name)
        if data is not None:
            parts.append(bytes([table.index(name)]) + data)
    return SEP.join(parts)


def write(target, name, data):
    folder = CORPUS / target
    folder.mkdir(parents=True, exist_ok=True)
    (folder / name).write_bytes(data)


def main():
    # Inputs that once found a fault ("regress-*") stay; the rest is rebuilt.
    for path in CORPUS.glob("*/*"):
        if not path.name.startswith("regress-"):
            path.unlink()
    samples = sorted(p for p in EXAMPLES.rglob("*") if p.is_file())
    for k, path in enumerate(samples):
        data = path.read_bytes()
        write("item_reader", f"{k:03}", bytes([0b01010101 if k % 2 else 0]) + data)
        write("table_reader", f"{k:03}", bytes([(k * 13) % 100, k % 101]) + data)
        write("text", f"{k:03}", bytes([8, 3, 10, k]) + data.split(b"\r\n")[0][:40])

    for b in ["B-1", "B-2"]:
        def lookup(name, b=b):
            for folder in [f"DIZIVAD/{b}", "RIDEVI", "LISTS"]:
                for path in (EXAMPLES / folder).iterdir():
                    if path.name.lower() == name.lower():
                        return path.read_bytes()
            return None
        whole = chunks(CONVERTER_NAMES, CONVERTER_NAMES, lookup)
        write("converters", f"{b}-direct", b"\x00" + whole)
        write("converters", f"{b}-staged", b"\x01" + whole)
        write("title_sheets", b, chunks(TITLE_NAMES, TITLE_NAMES, lookup))
    for source, needs in NEEDS.items():
        write("converters", source, b"\x00" + chunks([source] + needs, CONVERTER_NAMES))

    write("settings", "both", chunks([], SETTINGS_NAMES) + SEP.join([
        bytes([0]) + b"[RIDEVI]\r\nC:\\RIDEVI\\\r\n", bytes([1]) + b"[LISTS]\r\n/data/LISTS/\r\n"]))
    write("settings", "quoted", bytes([0]) + b'[RIDEVI]\r\n"/tmp/R I",x\r\n' + SEP +
          bytes([2]) + find("KISHITU.TXT"))
    for k, text in enumerate([b"12.5", b"-0.25", b"&H7FFF", b"1E+308", b"32767.5", b"C:\\DIZIVAD\\B-1",
                              "/data/DIZIVAD/追加孔3".encode("cp932"), b"  1 2 . 5e3"]):
        write("text", f"n{k}", bytes([5, 2, 7, k]) + text)


if __name__ == "__main__":
    main()
