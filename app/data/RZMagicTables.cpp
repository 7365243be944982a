#include "app/data/RZMagicTables.h"

#include "app/data/ZDMagic.h"

namespace {

enum : std::int32_t { D = 1, C = 2, B = 3, A = 4, S = 5 };

struct Spell {
    const char* name;
    std::int32_t ranks[RZMagicTables::LEVEL_COUNT];
};

// Row = spell number; element = number / 8.
const Spell spells[RZMagicTables::SPELL_COUNT] = {
    // 火 (fire)
    {"ファイア", {0, D, C, B}},
    {"キュアポイズン", {0, D, 0, 0}},
    {"アタック", {0, C, A, 0}},
    {"ウォータガード", {0, C, 0, 0}},
    {"エレメント", {0, B, S, 0}},
    {"リカバー", {0, B, S, 0}},
    {"メテオストライク", {0, A, 0, 0}},
    {"ヴォルケーノ", {0, S, 0, 0}},
    // 水 (water)
    {"フリーズ", {0, D, C, B}},
    {"キュアストーン", {0, D, 0, 0}},
    {"スキル", {0, C, A, 0}},
    {"フレイムガード", {0, C, 0, 0}},
    {"エレメント", {0, B, S, 0}},
    {"マジックリカバー", {0, B, S, 0}},
    {"ブリザード", {0, A, 0, 0}},
    {"デリュージ", {0, S, 0, 0}},
    // 風 (wind)
    {"エアカッター", {0, D, C, B}},
    {"キュアパラライズ", {0, D, 0, 0}},
    {"スピード", {0, C, A, 0}},
    {"フライ", {0, C, 0, 0}},
    {"エレメント", {0, B, S, 0}},
    {"アゲン", {0, B, S, 0}},
    {"ライトニング", {0, A, 0, 0}},
    {"トルネード", {0, S, 0, 0}},
    // 土 (earth)
    {"アシッドクラウド", {0, D, C, B}},
    {"キュアスリープ", {0, D, 0, 0}},
    {"アーマー", {0, C, A, 0}},
    {"グラビテイト", {0, C, 0, 0}},
    {"エレメント", {0, B, S, 0}},
    {"ストーンエッジ", {0, B, S, 0}},
    {"アースクウェイク", {0, A, 0, 0}},
    {"ウォールスマッシュ", {0, S, 0, 0}},
    // 光 (light)
    {"シャイニング", {0, D, C, B}},
    {"ヒール", {0, D, C, A}},
    {"レジスト", {0, C, A, 0}},
    {"キュアオール", {0, C, A, 0}},
    {"オールヒール", {0, B, S, 0}},
    {"エレメント", {0, B, S, 0}},
    {"レクイエム", {0, A, 0, 0}},
    {"ノヴァ", {0, S, 0, 0}},
    // 闇 (dark)
    {"ブラッドサック", {0, D, C, B}},
    {"ポイズンクラッシュ", {0, D, 0, 0}},
    {"マジック", {0, C, A, 0}},
    {"パラライズ", {0, B, 0, 0}},
    {"エレメント", {0, B, S, 0}},
    {"イリュージョン", {0, B, S, 0}},
    {"デス", {0, A, 0, 0}},
    {"エクスプロージョン", {0, S, 0, 0}},
};

struct Tables {
    std::map<int, std::string> levels;
    std::map<int, std::string> elements;
    std::map<int, std::string> ranks;
    std::map<int, std::string> targets;
    std::map<int, std::string> names;
    std::string pictures[RZMagicTables::SPELL_COUNT];

    Tables() {
        levels = {{0, ""}, {1, "Lv1"}, {2, "Lv2"}, {3, "Lv3"}};
        elements = {{-1, ""}, {0, "火"}, {1, "水"}, {2, "風"}, {3, "土"}, {4, "光"}, {5, "闇"}};
        ranks = {{0, ""}, {1, "D"}, {2, "C"}, {3, "B"}, {4, "A"}, {5, "S"}};
        targets = {{-1, ""}, {0, "地形"}, {1, "味方"}, {2, "敵"}};
        for (int i = 0; i < RZMagicTables::SPELL_COUNT; ++i) {
            names[i] = spells[i].name;
            pictures[i] = "MAGIC" + std::to_string(i) + ".BMP";
        }
    }
};

// Built on first use, kept until the program ends.
const Tables& tables() {
    static const Tables built;
    return built;
}

const std::map<int, std::string>* tableOf(int kind) {
    const Tables& t = tables();
    switch (kind) {
    case 0:
        return &t.levels;
    case 1:
        return &t.elements;
    case 2:
        return &t.ranks;
    case 3:
        return &t.targets;
    case 4:
        return &t.names;
    default:
        return nullptr;
    }
}

bool validSpell(int spell) {
    return spell >= 0 && spell < RZMagicTables::SPELL_COUNT;
}

} // namespace

void RZMagicTables::applyDefaults(ZDMagic* record, int spell, int level) {
    if (!record) {
        return;
    }
    if (validSpell(spell) && level >= 0 && level < LEVEL_COUNT) {
        record->setIndex(spell);
        record->setElement(spell / 8);
        record->setRank(spells[spell].ranks[level]);
        record->setLevel(level);
    } else {
        record->setIndex(-1);
        record->setElement(-1);
        record->setRank(0);
        record->setLevel(0);
    }
    record->setPicture(pictureName(spell));
}

std::map<int, std::string> RZMagicTables::copyTable(int kind) {
    if (kind < TABLE_LEVELS || kind > TABLE_TARGETS) {
        return std::map<int, std::string>();
    }
    return *tableOf(kind);
}

std::string RZMagicTables::text(int kind, int value) {
    const std::map<int, std::string>* table = tableOf(kind);
    if (!table) {
        return std::string();
    }
    auto found = table->find(value);
    return found != table->end() ? found->second : std::string();
}

std::int32_t RZMagicTables::rank(int spell, int level) {
    if (!validSpell(spell) || level < 0 || level >= LEVEL_COUNT) {
        return 0;
    }
    return spells[spell].ranks[level];
}

std::string RZMagicTables::spellName(int spell) {
    return validSpell(spell) ? tables().names.at(spell) : std::string();
}

std::string RZMagicTables::pictureName(int spell) {
    return validSpell(spell) ? tables().pictures[spell] : std::string();
}
