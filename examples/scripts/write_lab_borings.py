#!/usr/bin/env python3
"""Writes the example borings 12345678.003 (sections A, C to H, X and Z) and 12345678.004
(the same without section X) as code page 932 text with CR LF line ends.

Run from the repository root: python3 examples/scripts/write_lab_borings.py
"""
import pathlib


def q(*fields):
    return ",".join('"' + f + '"' for f in fields)


def header_line(kind, count):
    # The count stands at characters 26 to 28 of the line and is also its fourth field.
    line = q(kind, "12345678901", "1234") + "," + str(count).rjust(3)
    assert line[25:28] == str(count).rjust(3)
    return line


def title(identifier):
    return [
        q("A", identifier, "1"),
        q("A", "1", "2", "県道拡幅工事に伴う地質調査"),
        q("A", "1", "3", "No.3", "東京都千代田区", "標準貫入", "2", "1310100123"),
        q("A", "1", "4", "3540123", "13945067", "12.35", "", "", "90", "0", "12", "2", "株式会社サンプル地質", "", ""),
        q("A", "1", "5", "1", "12", "123", "45", "10", "20", "", "", "山田太郎"),
    ]


SECTION_C = [
    q("C", "1", "1", "3"),
    q("C", "1", "1", "1.15", "3", "30"),
    q("C", "1", "2", "2.15", "12", "30"),
    q("C", "1", "3", "3.15", "50", "18"),
]


def d_row(n, values):
    return q("D", "1", str(n), *values)


SECTION_D = [
    q("D", "1", "1", "3"),
    # sample, upper, lower, 4-7, 8-11, 12, 13, 14, 15, 16 condition, 17, 18, 19, 20, 21, 22, 23
    d_row(1, ["1", "1.50", "2.30", "1.85", "2.65", "35.2", "0.98", "2.5", "40.1", "55.3", "2.1", "45.0", "20.3",
              "1.0", "1", "1", "12.5", "30", "15", "0.15", "-", "1.5E-5", "2.0Ｅ-3"]),
    d_row(2, ["2", "4.00", "4.80", "1.72", "2.70", "48.6", "1.35", "", "62.0", "80.4", "", "", "30.0",
              "0.8", "2", "2", "25.0", "25", "", "", "0.3", "3.2ｅ-4", "1.23456789E2"]),
    d_row(3, ["3", "7.50", "8.30", "1.90", "2.68", "22.1", "0.65", "5.0", "", "", "", "18.5", "",
              "2.2", "", "3", "", "", "", "", "", "", "1e2E1"]),
]

SECTION_E = [
    q("E", "1", "1", "2", "1"),
    q("E", "1", "1", "2.50", "10", "20", "30"),
    q("E", "1", "2", "5.50", "12.5", "", "-"),
]

SECTION_F = [
    q("F", "1", "1", "2", "8"),
    q("F", "1", "1", "1.00", "2.50", "2.5E-3"),
    q("F", "1", "2", "3.00", "4.20", "1.5Ｅ-4"),
]

SECTION_G = [
    q("G", "1", "1", "2"),
    q("G", "1", "1", "0.00", "1.00", "5"),
    q("G", "1", "2", "1.00", "2.00", "6"),
]

SECTION_H = [
    q("H", "1", "1", "2"),
    q("H", "1", "1", "1.0", "3.00", "7"),
    q("H", "1", "2", "3.00", "4.50", "2.5E-3"),
]

SECTION_X = [
    header_line("X", 4),
    q("X", "1", "1", "1.20", "表土", "褐色"),
    q("X", "1", "2", "2.50", "砂", "灰色"),
    q("X", "1", "3", "5.00", "砂", "暗灰色"),
    q("X", "1", "4", "9.00", "粘土", "青灰色"),
]

LONG_REMARK = "孔内水位は掘進中に確認した。" * 12  # 168 full-width characters, 336 bytes

SECTION_Z = [
    header_line("Z", 3),
    q("Z", "1", "1", "1.20", "表土は耕作土"),
    q("Z", "1", "2", "5.00", LONG_REMARK),
    q("Z", "1", "3", "9.00", "GL-9.00m で掘止め"),
]


def write(name, sections):
    identifier = name.replace(".", "")
    lines = title(identifier)
    for section in sections:
        lines += section
    data = "".join(line + "\r\n" for line in lines).encode("cp932")
    path = pathlib.Path(__file__).resolve().parent.parent / "borings" / name
    path.write_bytes(data)


write("12345678.003", [SECTION_C, SECTION_D, SECTION_E, SECTION_F, SECTION_G, SECTION_H, SECTION_X, SECTION_Z])
write("12345678.004", [SECTION_C, SECTION_D, SECTION_E, SECTION_F, SECTION_G, SECTION_H, SECTION_Z])
