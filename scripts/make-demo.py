#!/usr/bin/env python3
"""Writes an invented demo game directory for the spell editor.

Usage: make-demo.py GAMEDIR

Layout (every text Shift-JIS, written with Python's 'cp932' codec):
  GAMEDIR/Default/Data/MagicTable, SoundFileName   stock tables, default names
  GAMEDIR/Data/MagicTable, SoundFileName, CharacterData   the live tables
  GAMEDIR/Scenario1/Config, Data/MagicTable, SoundFileName, CharacterData
  GAMEDIR/Scenario2/Config, Data/MagicTable (no SoundFileName)
Each table has its own numbers and descriptions. Afterwards, when
scripts/make-demo-media.py exists, it is run on the same directory to add the
pictures and sounds.
"""

import os
import random
import struct
import subprocess
import sys

ELEMENTS = ["fire", "water", "wind", "earth", "light", "dark"]
ELEMENT_WORDS = ["炎", "氷", "風", "大地", "光", "闇"]

# (name, ranks of levels 1..3; 0 = no such level), spell number = position.
D, C, B, A, S = 1, 2, 3, 4, 5
SPELLS = [
    ("ファイア", (D, C, B)), ("キュアポイズン", (D, 0, 0)), ("アタック", (C, A, 0)),
    ("ウォータガード", (C, 0, 0)), ("エレメント", (B, S, 0)), ("リカバー", (B, S, 0)),
    ("メテオストライク", (A, 0, 0)), ("ヴォルケーノ", (S, 0, 0)),
    ("フリーズ", (D, C, B)), ("キュアストーン", (D, 0, 0)), ("スキル", (C, A, 0)),
    ("フレイムガード", (C, 0, 0)), ("エレメント", (B, S, 0)), ("マジックリカバー", (B, S, 0)),
    ("ブリザード", (A, 0, 0)), ("デリュージ", (S, 0, 0)),
    ("エアカッター", (D, C, B)), ("キュアパラライズ", (D, 0, 0)), ("スピード", (C, A, 0)),
    ("フライ", (C, 0, 0)), ("エレメント", (B, S, 0)), ("アゲン", (B, S, 0)),
    ("ライトニング", (A, 0, 0)), ("トルネード", (S, 0, 0)),
    ("アシッドクラウド", (D, C, B)), ("キュアスリープ", (D, 0, 0)), ("アーマー", (C, A, 0)),
    ("グラビテイト", (C, 0, 0)), ("エレメント", (B, S, 0)), ("ストーンエッジ", (B, S, 0)),
    ("アースクウェイク", (A, 0, 0)), ("ウォールスマッシュ", (S, 0, 0)),
    ("シャイニング", (D, C, B)), ("ヒール", (D, C, A)), ("レジスト", (C, A, 0)),
    ("キュアオール", (C, A, 0)), ("オールヒール", (B, S, 0)), ("エレメント", (B, S, 0)),
    ("レクイエム", (A, 0, 0)), ("ノヴァ", (S, 0, 0)),
    ("ブラッドサック", (D, C, B)), ("ポイズンクラッシュ", (D, 0, 0)), ("マジック", (C, A, 0)),
    ("パラライズ", (B, 0, 0)), ("エレメント", (B, S, 0)), ("イリュージョン", (B, S, 0)),
    ("デス", (A, 0, 0)), ("エクスプロージョン", (S, 0, 0)),
]
assert len(SPELLS) == 48

# What each of the eight spells of an element does: target (0 terrain, 1 ally,
# 2 enemy) and a description pattern ({e} = the element's word).
ROLES = [
    (2, "{e}の力で敵一体を攻撃する"),
    (1, "味方一人の状態異常を治す"),
    (1, "味方一人の能力を一時的に高める"),
    (1, "味方一人の守りを{e}の加護で固める"),
    (2, "{e}の精霊を呼び敵をまとめて攻撃する"),
    (1, "味方全員の体力を回復する"),
    (2, "強大な{e}で広い範囲を攻撃する"),
    (0, "地形ごと{e}で飲み込む究極の術"),
]

# Per table: a seed for its numbers, a description ending, and renamed spells.
TABLES = {
    "default": (11, "。", {}),
    "live": (23, "（改）", {2: "アタック表", 19: "ソアリング", 42: "能力封じ"}),
    "scenario1": (37, "（試練）", {0: "ファイアボール", 8: "フリーズソード", 45: "幻影表示"}),
    "scenario2": (53, "（外伝）", {6: "メテオ", 14: "ダイヤモンドダスト"}),
}


def encode(text):
    return text.encode("cp932")


def table_rows(kind):
    """The 48 spells of one table: name, target, 3x4 numbers, description, sound."""
    seed, ending, renamed = TABLES[kind]
    rng = random.Random(seed)
    rows = []
    for number, (name, ranks) in enumerate(SPELLS):
        element = number // 8
        target, pattern = ROLES[number % 8]
        if number == 33:  # ヒール heals
            target, pattern = 1, "味方一人の体力を大きく回復する"
        levels = []
        for level, rank in enumerate(ranks, start=1):
            if rank == 0:
                levels.append((0, 0, 0, 0))
                continue
            cost = rank * 6 + level * 4 + rng.randint(0, 5)
            reach = 1 + (rank + level) // 2 + rng.randint(0, 1)
            area = 0 if target == 1 and number % 8 != 5 else min(3, level - 1 + rng.randint(0, 1))
            efficiency = rank * 20 + level * 15 + rng.randint(0, 30)
            levels.append((cost, reach, area, efficiency))
        description = pattern.format(e=ELEMENT_WORDS[element]) + ending
        sound = "%s%02d" % (ELEMENTS[element], number % 8 + 1)
        if kind == "scenario1" and number % 8 == 0:
            sound = "%s%02d" % (ELEMENTS[element], 9)
        rows.append((renamed.get(number, name), target, levels, description, sound))
    return rows


def magic_table(rows):
    lines = []
    for name, target, levels, description, _ in rows:
        (c1, r1, a1, e1), (c2, r2, a2, e2), (c3, r3, a3, e3) = levels
        head = encode(name).ljust(18, b" ")
        body = " %d %03d %d %d %03d  %03d %d %d %03d  %03d %d %d %03d  " % (
            target, c1, r1, a1, e1, c2, r2, a2, e2, c3, r3, a3, e3)
        lines.append(head + body.encode("ascii") + encode(description))
    return b"\r\n".join(lines) + b"\r\n"


def sound_file_name(rows):
    return b"".join(encode(row[4]) + b"\r\n" for row in rows) + b"End"


# Invented characters: name and aptitude (0 none .. 5 S) in fire, water, wind,
# earth, light and dark.
CHARACTERS = {
    "live": [
        ("アレン", (4, 1, 2, 3, 2, 0)), ("ソフィア", (1, 5, 2, 1, 3, 0)),
        ("能登丸", (2, 2, 2, 5, 1, 1)), ("リーネ", (0, 3, 5, 0, 4, 0)),
        ("ガルド", (5, 0, 1, 4, 0, 2)), ("ミーシャ", (1, 4, 1, 1, 5, 0)),
        ("表太郎", (3, 3, 3, 3, 3, 3)), ("クロウ", (0, 1, 2, 1, 0, 5)),
        ("エルナ", (2, 2, 4, 2, 2, 1)), ("ドルフ", (3, 0, 0, 5, 1, 0)),
        ("ユーリ", (0, 2, 3, 0, 2, 4)), ("セシル", (1, 1, 1, 1, 4, 1)),
    ],
    "scenario1": [
        ("カイト", (5, 2, 1, 1, 0, 0)), ("ソラ", (0, 2, 5, 1, 2, 0)),
        ("ルミナ", (1, 3, 1, 0, 5, 0)), ("ヴァルド", (3, 0, 0, 4, 0, 4)),
        ("ニーナ", (2, 5, 3, 2, 2, 1)), ("オルガ", (4, 1, 2, 5, 1, 3)),
        ("ティオ", (1, 1, 1, 1, 1, 1)), ("ザイン", (0, 0, 2, 3, 0, 5)),
    ],
}


def character_data(people, seed):
    rng = random.Random(seed)
    count = len(people) + 1
    header = struct.pack("<II", 140, count) + bytes(rng.randrange(256) for _ in range(1340))
    records = []
    for name, aptitudes in people:
        record = bytearray(rng.randrange(256) for _ in range(324))
        record[21:27] = bytes(aptitudes)
        raw = encode(name)
        record[164:324] = raw + bytes(160 - len(raw))
        records.append(bytes(record))
    data = header + b"".join(records)
    assert len(data) == 1348 + 324 * (count - 1)
    return data


def write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)


def main():
    if len(sys.argv) != 2:
        sys.stderr.write("usage: make-demo.py GAMEDIR\n")
        return 2
    game = sys.argv[1]
    data = lambda *parts: os.path.join(game, *parts)

    default_rows = table_rows("default")
    write(data("Default", "Data", "MagicTable"), magic_table(default_rows))
    write(data("Default", "Data", "SoundFileName"), sound_file_name(default_rows))

    live = table_rows("live")
    write(data("Data", "MagicTable"), magic_table(live))
    write(data("Data", "SoundFileName"), sound_file_name(live))
    write(data("Data", "CharacterData"), character_data(CHARACTERS["live"], 7))

    first = table_rows("scenario1")
    write(data("Scenario1", "Config"), b"")
    write(data("Scenario1", "Data", "MagicTable"), magic_table(first))
    write(data("Scenario1", "Data", "SoundFileName"), sound_file_name(first))
    write(data("Scenario1", "Data", "CharacterData"), character_data(CHARACTERS["scenario1"], 9))

    second = table_rows("scenario2")
    write(data("Scenario2", "Config"), b"")
    write(data("Scenario2", "Data", "MagicTable"), magic_table(second))

    media = os.path.join(os.path.dirname(os.path.abspath(__file__)), "make-demo-media.py")
    if os.path.exists(media):
        # The tables are complete either way: a failing media step is reported
        # but does not take the tables away from whoever needs them.
        done = subprocess.run([sys.executable, media, game])
        if done.returncode != 0:
            sys.stderr.write("make-demo: make-demo-media.py failed (%d)\n" % done.returncode)
    print("demo game written to %s" % game)
    return 0


if __name__ == "__main__":
    sys.exit(main())
