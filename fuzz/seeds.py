#!/usr/bin/env python3
"""Writes the seed corpora of the fuzz targets (fuzz/corpus/<target>/<name>) from the
examples the operations are known for, with double-byte names as CP932 bytes. Fields of
an input are separated by zero bytes (see each target's opening comment)."""
import os
import sys

HYO = b"\x95\x5c"      # 表: trail byte 5C
SO = b"\x83\x5c"       # ソ
NO = b"\x94\x5c"       # 能
BAR7C = b"\x83\x7c"    # trail byte 7C
GENBA = "現場".encode("cp932")
FOLDER = "ﾌｫﾙﾀﾞｰ".encode("cp932")
LONG = HYO * 129 + b"a"   # 259 bytes

SEEDS = {
    "cstring": {
        "ascii": b"abc\0b\0abc\0ABC",
        "trail5c": HYO + b"\\" + SO + b"\0\\\0\\" + NO + b"\0" + HYO,
        "trail7c": b"a" + BAR7C + b"|b\0|\0|" + BAR7C + b"\0a" + BAR7C,
        "lonelead": b"ab\x81\0\x81\0\x81\0AB\x81",
        "embeddedzero": b"a\\\0b\\\0c",
        "widecase": b"x\x82\x60\x82\x81z\0\x82\x81\0\x82\x60\0X\x82\x81",
        "blanks": b" \t\r\n" + GENBA + b" \x81 \r\n\0 \0\t",
        "long": LONG + b"\0" + HYO + b"\0" + HYO,
    },
    "pathops": {
        "addfilename": b"C:\\dir\\\\//\0C:\\work\0a.txt",
        "driverel": b"C:foo\0C:\\work\0" + GENBA + b".txt\0c",
        "otherdrive": b"C:foo\0D:\\x\0a\0d",
        "baredrive": b"C:\0C:\\\0a",
        "rooted": b"\\foo\0\\\\pc1\\share\\dir\0a",
        "dotdot": b"..\\a\0C:\\work\0.\0" + b"x",
        "unc": b"\\\\pc1\\share\\dir\\f.txt\0C:\\\0dir",
        "ext": b"a.b.001\0C:\\" + HYO + b"\0.profile",
        "dirext": b"dir.x\\f\0\\\\pc1\0..",
        "invalid": b"abc:d\0D:\\" + SO + b"\0...",
        "trail5c": b"C:\\" + HYO + b"\\" + SO + b"\0C:\\" + NO + b"\0" + HYO + b".001\0" + b"\xb1",
        "trail7c": b"d\\" + BAR7C + b"|x\0C:\\w\0" + BAR7C,
        "lonelead": b"dir\\\x81\0C:\\w\x81\0\x81\0\x81",
        "folder": b"D:\\data\\" + FOLDER + b"26.01A\0D:\\data\0" + GENBA + b"-3.003",
        "long": LONG + b"\0C:\\work\0" + LONG + b"x",
        "zero": b"a\\\0b\\c",
    },
    "netnames": {
        "share": b"\\\\pc1\\data\\dir\\f.txt\0\\\\pc1\\data\0\\\\pc1",
        "empty": b"\\\\\\x\0C:\\x\0\\\\pc1\\",
        "trail5c": b"\\\\" + HYO + b"\\" + SO + b"\\d\0\\\\srv" + NO + b"\\" + GENBA,
        "lonelead": b"\\\\pc1\x81\0\\\\\x81\\s\0\\\\pc1\\\x81",
        "doublesep": b"\\\\pc1\\\\x\0\\\\pc1\\\\\0\\\\",
    },
    "extnum": {
        "numbers": b"\x00\x00\x00\x0a" + b"\0a.001\0a.00a",
        "max": b"\x00\x00\x0f\xff\0a.FFF\0a.000",
        "toolarge": b"\x00\x00\x10\x00\0a.1000\0a.12",
        "hexprefix": b"\0a.0x1F\0a.txt",
        "letters": b"\0a.bak\0a.exe",
        "folderdot": b"\0D:\\x.001\\data\0a.b.00C",
        "strtoul": b"\0a. \t+0X1f\0a.-FFFFF001",
        "overflow": b"\0a.FFFFFFFFF\0a.-1",
        "list": b"\0Data|*.dat|All|*.*|\0A|B||",
        "lists": b"\0A|B|C|D\0A|B|",
        "dbcs": b"\0" + GENBA + b"|*.001|" + BAR7C + b"|*.\x95\x5c\0" + FOLDER + b"26.01A",
        "lonelead": b"\0\x81|x|\0a.00\x81",
        "bigindex": b"\xff\xff\xff\xff\0|||||\0\x7f\x80\x81\xff",
    },
    "wildcard": {
        "numbered": b"*.???\0a.001",
        "numbered-long": b"*.???\0b.0001",
        "numbered-short": b"*.???\0x.12",
        "exact": b"*.001\0X.b.001",
        "starstar": b"*.*\0noext",
        "stardot": b"*.\0noext",
        "question": b"a?c\0ABC",
        "dbcs": HYO + b"*\0" + HYO + SO + b".txt",
        "trail": b"*\\\0" + HYO,
        "trail7c": b"*" + BAR7C + b"?\0" + BAR7C + BAR7C,
        "lonelead": b"*\x81\0ab\x81",
        "dots": b"a.?\0a.",
        "stars": b"*a*a*a*a*a*a*b\0" + b"a" * 64,
    },
}


def main():
    root = os.path.join(os.path.dirname(os.path.abspath(__file__)), "corpus")
    for target, seeds in SEEDS.items():
        d = os.path.join(root, target)
        os.makedirs(d, exist_ok=True)
        for name, data in seeds.items():
            with open(os.path.join(d, name), "wb") as f:
                f.write(data)
    return 0


if __name__ == "__main__":
    sys.exit(main())
