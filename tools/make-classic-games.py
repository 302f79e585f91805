#!/usr/bin/env python3
"""Writes resources/Game1.sgf .. Game3.sgf, the three classic games shipped
beside the program: our own game information and root comment in Chinese,
and the main-line moves (facts) taken from the published records in
../shared/testdata/sgf/classic/. GBK, CR LF, ten moves to a line.

    tools/make-classic-games.py [TESTDATA_DIR] [OUTPUT_DIR]
"""
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
TESTDATA = sys.argv[1] if len(sys.argv) > 1 else os.path.join(HERE, "..", "..", "shared", "testdata")
OUT = sys.argv[2] if len(sys.argv) > 2 else os.path.join(HERE, "..", "resources")

GAMES = [
    {
        "file": "Game1.sgf",
        "source": "sgf/classic/ear-reddening_1846_shusaku-vs-gennan_littlego.sgf",
        "moves": 325,
        "info": [("EV", "耳赤之局"), ("DT", "1846-09-11"), ("PC", "日本大阪"),
                 ("PB", "本因坊秀策"), ("BR", "四段"), ("PW", "井上幻庵因硕"), ("WR", "八段"),
                 ("KM", "无贴目"), ("RE", "黑胜2目"), ("US", "Zemra 经典棋谱")],
        "comment": "弘化三年（1846年），十七岁的秀策执黑与井上幻庵因硕对局。"
                   "黑127手一出，在旁观战的医生看见幻庵的耳朵忽然发红，断定此手击中了要害，"
                   "“耳赤之局”由此得名。全局黑胜2目。",
    },
    {
        "file": "Game2.sgf",
        "source": "sgf/classic/blood-vomiting_1835_intetsu-vs-jowa_littlego.sgf",
        "moves": 246,
        "info": [("EV", "吐血之局"), ("DT", "1835-07-27"), ("PC", "日本江户"),
                 ("PB", "赤星因彻"), ("BR", "七段"), ("PW", "本因坊丈和"), ("WR", "名人"),
                 ("KM", "无贴目"), ("RE", "白中盘胜"), ("US", "Zemra 经典棋谱")],
        "comment": "天保六年（1835年），井上家的赤星因彻向名人本因坊丈和挑战。"
                   "黑棋开局占优，丈和在中盘连下妙手扭转局面。"
                   "据说因彻下完此局后吐血，不久病逝，后人称之为“吐血之局”。白中盘胜。",
    },
    {
        "file": "Game3.sgf",
        "source": "sgf/classic/atomic-bomb-game_1945_iwamoto-vs-hashimoto.sgf",
        "moves": 240,
        "info": [("EV", "第三期本因坊战第二局（原子弹之局）"), ("DT", "1945-08-06"), ("PC", "日本广岛五日市"),
                 ("PB", "岩本薰"), ("BR", "七段"), ("PW", "桥本宇太郎"), ("WR", "本因坊"),
                 ("KM", "贴4目半"), ("RE", "白胜5目半"), ("US", "Zemra 经典棋谱")],
        "comment": "1945年8月4日至6日，第三期本因坊战第二局在广岛郊外的五日市对局。"
                   "8月6日清晨原子弹在广岛爆炸，冲击波震碎了对局室的门窗，"
                   "两位棋手摆好被吹乱的棋子后继续下完了这盘棋，白胜。",
    },
]


def main_line_moves(text):
    """The B/W values of the first game tree's main line, up to its first ')'."""
    start = text.index("(")
    moves, i, n = [], start + 1, len(text)
    name = ""
    while i < n:
        c = text[i]
        if c == "[":
            j = i + 1
            while j < n and text[j] != "]":
                j += 2 if text[j] == "\\" else 1
            if name in ("B", "W"):
                moves.append((name, text[i + 1:j]))
            i = j + 1
            continue
        if c.isalpha():
            if c.isupper():
                name = (name if text[i - 1].isalpha() else "") + c
            i += 1
            continue
        if c == ")" or c == "(":
            if c == ")" or moves:
                break
        if not c.isspace():
            name = ""
        i += 1
    return moves


def sgf_value(text):
    return text.replace("\\", "\\\\").replace("]", "\\]")


def write(game):
    with open(os.path.join(TESTDATA, game["source"]), encoding="utf-8") as f:
        moves = main_line_moves(f.read())
    assert len(moves) == game["moves"], (game["file"], len(moves))
    root = "(;GM[1]FF[4]CA[GBK]SZ[19]" + "".join(f"{k}[{sgf_value(v)}]" for k, v in game["info"])
    root += f"C[{sgf_value(game['comment'])}]"
    lines = [root]
    for k in range(0, len(moves), 10):
        lines.append("".join(f";{c}[{v}]" for c, v in moves[k:k + 10]))
    lines.append(")")
    with open(os.path.join(OUT, game["file"]), "wb") as f:
        f.write(("\r\n".join(lines) + "\r\n").encode("gbk"))


for g in GAMES:
    write(g)
    print("wrote", g["file"])
