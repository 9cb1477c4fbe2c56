#!/usr/bin/env python3
"""Writes the seed files of the fuzz targets, each into corpus/<target>/.

The seeds are small files of each kind, whole and damaged, made here from
scratch. Run from anywhere; existing seeds of the same names are replaced.
"""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))


def put(target, name, data):
    folder = os.path.join(HERE, target)
    os.makedirs(folder, exist_ok=True)
    if isinstance(data, str):
        data = data.encode("cp1252")
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


def scramble(data):
    if isinstance(data, str):
        data = data.encode("cp1252")
    return bytes(b if (b + 0x80) & 0xFF == 0 else (b + 0x80) & 0xFF for b in data)


# ---- settings file ----
SETTINGS = (
    "[GENERAL]\r\ndifficulté=3\r\ndernier joueur=Zoé\r\nx=120\r\ny=-4\r\nbitmaps=C:\\Images\r\n\r\n"
    "[LETTRES]\r\nnb voyelles=3\r\nnb lettres=9\r\nchoix auto=1\r\nlexiques=lexiques\r\nCouleur=C0C0C0\r\n"
    "Bitmap0=*4\r\nBitmap3=/home/zoe/fond.bmp\r\n\r\n"
    "[CHIFFRES]\r\nnombre max=999\r\nnombre min=101\r\nchiffres limités=0\r\n"
    "[Custom Colors]\r\nColorA=FF\r\nColorB=FF0000\r\n"
)
put("profile", "tiv.ini", SETTINGS)
put("profile", "utf8-bom.ini", b"\xef\xbb\xbf" + "[Général]\nclé=\"valeur entre guillemets\"\nÉTÉ = 12 \n".encode())
put("profile", "damaged.ini",
    b"[GENERAL\r\n=sans nom\r\n;x=1\r\n[general]\r\nx=99999999999999999999\r\nx=2\r\n[ ]\r\n\x00\xff=\x81\r\n[LETTRES]nb lettres")
put("profile", "lf-only.ini", "[lettres]\nNB LETTRES=+7 lettres\n[LETTRES]\nnb lettres=8\n")

# ---- lexicon file: one byte for the reader's buffer, then the file ----
LEX = "".join(f"{k} {w}\r\n" for k, w in [
    ("AE", "EA"), ("AEL", "ALE"), ("AELS", "ALES SALE"), ("AL", "LA"), ("EEELV", "ELEVE"), ("EEST", "ETES"),
    ("EL", "LE"), ("ELS", "LES SEL"), ("GLNO", "LONG"), ("MOST", "MOTS"), ("MOT", "MOT"), ("ORU", "OUR"),
])
put("lexicon_file", "sorted.lex", b"\x00" + LEX.encode("cp1252"))
put("lexicon_file", "blank-lines.lex", b"\x05" + ("\r\n  \r\n" + LEX.replace("EL LE\r\n", "EL LE\r\n\t\r\n")).encode())
put("lexicon_file", "overlong.lex", b"\x01" + b"AEIMNORST " + b" ".join([b"MARIONETS"] * 30) + b"\r\nAEIMNORSTT X\r\n")
put("lexicon_file", "unsorted.lex", b"\x02MOT MOT\r\nAE EA\r\nAE EA\r\nZ")
put("lexicon_file", "no-line-end.lex", b"\x00AE EA\nEL LE")
put("lexicon_file", "long-file.lex", b"\x00" + "".join(
    f"{a}{b}{c} {a}{b}{c}\r\n" for a in "ABCDEF" for b in "GHIJKL" for c in "MNOPQR").encode())

# ---- lex.ini of the fuzz target's small lexicon (13 words, one file per key) ----
KEYS = sorted({"".join(sorted(w)) for w in
               ["LE", "LA", "LES", "SEL", "MOT", "MOTS", "LONG", "PLUS", "ELEVE", "ETE", "JOUER", "LEXIQUE",
                "ORDINATEUR"]}, key=lambda k: (len(k), k))
LENGTHS = range(2, 28)


def lex_ini(keys, count=None, radical="fr", weights=True):
    count = len(keys) if count is None else count
    first, last = {}, {}
    for n, k in enumerate(keys, 1):
        first.setdefault(len(k), n)
        last[len(k)] = n
    out = f"[lexiques]\r\nnb_of_lexs={count}\r\nlex_rad={radical}\r\n[first]\r\n"
    out += "".join(f"{L}={first.get(L, 0)}\r\n" for L in LENGTHS)
    out += "[last]\r\n" + "".join(f"{L}={last.get(L, 0)}\r\n" for L in LENGTHS)
    out += "[first entries]\r\n" + "".join(f"{n}={k}\r\n" for n, k in enumerate(keys, 1))
    if weights:
        out += "[nb voyelles]\r\nA=9\r\nE=15\r\nI=8\r\nO=6\r\nU=6\r\nY=1\r\n"
        out += "[nb consonnes]\r\n" + "".join(f"{c}=4\r\n" for c in "BCDFGHJKLMNPQRSTVWXZ")
    return out


put("lex_ini", "complete.ini", lex_ini(KEYS))
put("lex_ini", "no-weights.ini", lex_ini(KEYS, weights=False))
put("lex_ini", "no-ranges.ini", "[lexiques]\r\nnb_of_lexs=12\r\nlex_rad=fr\r\n")
put("lex_ini", "wrong-count.ini", lex_ini(KEYS, count=40))
put("lex_ini", "bad-radical.ini", lex_ini(KEYS, radical="../fr"))
put("lex_ini", "shuffled.ini", lex_ini(list(reversed(KEYS))))

# ---- saved game (scrambled, as the game writes it) ----
BAGS = "9 15 8 6 6 1 " + " ".join(["4"] * 20)
put("saved_game", "match.tiv", scramble(f"Marie 3 4 1 2 0 15 {BAGS} fr\r\n"))
put("saved_game", "no-radical.tiv", scramble(f"Zoé 6 0 0 0 0 0 {BAGS} \r\n"))
put("saved_game", "seven-fields.tiv", scramble("Léo 1 9 2 3 1 45\r\n"))
put("saved_game", "plain-line.tiv", f"Marie 3 4 1 2 0 15 {BAGS} fr\r\n")
put("saved_game", "two-lines.tiv", scramble(f"Marie 3 4 1 2 0 15 {BAGS} fr\r\nMarie 3 4 1 2 0 15\r\n"))
put("saved_game", "cut.tiv", scramble(f"Marie 3 4 1 2 0 15 {BAGS[:20]}"))

# ---- Top Ten (scrambled line by line) ----
def topten(levels, end=True):
    out = ""
    for level in range(1, 7):
        out += f"@{level}\r\n" + "".join(e + "\r\n" for e in levels.get(level, []))
    return scramble(out + ("@7\r\n" if end else ""))


put("topten", "whole", topten({1: ["Zoé 3 0 5 2 1999 9 7", "Marie 2 2 31 11 2026 23 59", "Léo 0 3"],
                               4: ["Anne 1 0"] * 10 + ["Onzième 0 1"]}))
put("topten", "empty", topten({}))
put("topten", "cut-off", topten({2: ["Zoé 3 0 5 2 1999 9 7"]}, end=False))
put("topten", "damaged", scramble("@1\r\nZoé 3\r\n@3\r\n@2\r\nx" * 2 + "@7\r\n") + b"\xff" + scramble("@8\r\n"))
put("topten", "plain", "@1\r\nZoé 3 0 29 1 2000 0 0\r\n@2\r\n@3\r\n@4\r\n@5\r\n@6\r\n@7\r\n")

# ---- word list (UTF-8) ----
put("word_list", "words.txt", "\n".join(["le", "la", "les", "sel", "élève", "été", "mot", "mots", "long", "jouer",
                                          "porte-clé", "Paris", "a", "anticonstitutionnellement", "sel"]).encode())
put("word_list", "crlf-bom.txt", b"\xef\xbb\xbf" + "\r\n".join(["ça", "où", "naïf", "cœur", ""]).encode())
put("word_list", "latin1.txt", "élève\nmaïs\n".encode("latin-1"))
put("word_list", "anagrams.txt", "\n".join(["aimer", "maire", "marie", "ramie", "rimae", "ameri"] * 2).encode())

# ---- bitmap files ----
def bmp(width, height, bpp, pixels, palette=b"", compression=0, core=False, colours_used=0, masks=b""):
    if core:
        header = struct.pack("<IHHHH", 12, width, height, 1, bpp)
    else:
        header = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bpp, compression, len(pixels), 2835, 2835,
                             colours_used, 0)
    offset = 14 + len(header) + len(masks) + len(palette)
    return b"BM" + struct.pack("<IHHI", offset + len(pixels), 0, 0, offset) + header + masks + palette + pixels


def rows(width, height, bpp, value):
    stride = ((width * bpp + 31) // 32) * 4
    return bytes([value]) * stride * height


GREYS = b"".join(bytes([i, i, i, 0]) for i in range(0, 256, 17))
put("bitmap", "1bit.bmp", bmp(8, 4, 1, rows(8, 4, 1, 0x5A), palette=b"\x00\x00\x00\x00\xff\xff\xff\x00"))
put("bitmap", "4bit.bmp", bmp(5, 3, 4, rows(5, 3, 4, 0x12), palette=GREYS))
put("bitmap", "8bit.bmp", bmp(3, 3, 8, rows(3, 3, 8, 7), palette=GREYS))
put("bitmap", "24bit.bmp", bmp(2, 2, 24, rows(2, 2, 24, 0x80)))
put("bitmap", "32bit-top-down.bmp", bmp(2, -2, 32, rows(2, 2, 32, 0x40)))
put("bitmap", "16bit-fields.bmp", bmp(2, 2, 16, rows(2, 2, 16, 0x1f), compression=3,
                                      masks=struct.pack("<III", 0xF800, 0x07E0, 0x001F)))
put("bitmap", "rle8.bmp", bmp(4, 2, 8, b"\x04\x01\x00\x00\x02\x03\x02\x04\x00\x01", palette=GREYS, compression=1))
put("bitmap", "rle4.bmp", bmp(4, 2, 4, b"\x04\x12\x00\x00\x04\x34\x00\x01", palette=GREYS, compression=2))
put("bitmap", "core-header.bmp", bmp(2, 2, 8, rows(2, 2, 8, 1), palette=b"\x00\x00\x00\xff\xff\xff", core=True))
put("bitmap", "truncated.bmp", bmp(16, 16, 24, rows(16, 16, 24, 0x80))[:100])
put("bitmap", "tall-rle8.bmp", bmp(1, 60000, 8, b"\x00\x01", palette=GREYS, compression=1))

# ---- the middle file of a three-file lexicon: one byte for the draw, then the file ----
MIDDLE = "".join(f"{k} {w}\r\n" for k, w in [
    ("AELS", "ALES SALE"), ("AEST", "SETA TASE"), ("EILRT", "LITRE TILER"), ("EIRST", "RITES TIERS"),
    ("ELNOSTU", "SOULENT"), ("ENORT", "TENOR TONER"),
])
put("lexicon_search", "sorted.lex", b"\x03" + MIDDLE.encode("cp1252"))
put("lexicon_search", "accents.lex", b"\x07" + "AEEILRT ÉTAILER\r\nEEILV ÉLEVIE\r\nEELV ÉLEV\r\n".encode("cp1252"))
put("lexicon_search", "unsorted.lex", b"\x01" + "ENORT TENOR\r\nAELS SALE\r\n\r\nAELS ALES\r\n".encode())
put("lexicon_search", "empty.lex", b"\x00")
