#include "app/data/RZMagicLoader.h"

#include "app/data/RZEditData.h"
#include "app/data/RZMagic.h"
#include "app/data/RZMagicTables.h"
#include "app/data/RZTableBackup.h"
#include "app/data/RZTableFileNames.h"
#include "app/data/RZTableText.h"
#include "support/HDebug.h"
#include "support/HFileReader.h"
#include "support/HFileReplacement.h"
#include "support/HStageClock.h"

#include <windows.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

const char lineEnd[] = "\r\n";

void removeFile(const HFile& file) {
    DeleteFileA(file.fullPath().c_str());
}

// Whether the file holds exactly these bytes. A file that cannot be read (held
// by another program, say) does not: the save then goes on as for any change.
bool holdsAlready(const HFile& file, const std::string& bytes) {
    if (file.kind() != 1) {
        return false;
    }
    HFileReader present(file);
    return present.read() && present.size() == bytes.size() &&
           std::memcmp(present.data(), bytes.data(), bytes.size()) == 0;
}

// A table and its sound list in memory: the reading, apart from the parsing.
struct TableBytes {
    HFileReader table;
    HFileReader sound;
    bool soundRead = false;

    TableBytes(const HFile& tablePath, const HFile& soundPath)
        : table(tablePath), sound(soundPath) {}
    // False when the table cannot be read; a sound list that cannot be read
    // leaves the levels without sounds.
    bool read() {
        if (!table.read()) {
            return false;
        }
        soundRead = sound.read();
        return true;
    }
};

// The existing spell levels of the bytes read, in file order with their row
// numbers, appended to `kept`.
void parseRecords(const TableBytes& bytes, const HFile& tablePath, std::vector<ZDMagic>* kept) {
    const char* text = bytes.table.data();
    std::size_t length = std::strlen(text);
    std::vector<ZDMagic> records;
    int spell = 0;
    // Walked line by line: a table of millions of (empty) lines must not need
    // a list of them all.
    std::size_t at = 0;
    RZTableText::Line line{0, 0};
    while (RZTableText::nextLine(text, length, at, line)) {
        if (line.end == line.start) {
            continue;
        }
        std::string lineText(text + line.start, line.end - line.start);
        HDebug::debug("minfo:%d(%d,%d)%s", static_cast<int>(length), static_cast<int>(line.start),
                      static_cast<int>(line.end), lineText.c_str());
        // Lines past the last spell have no levels and would be dropped below;
        // they are not kept, however many there are.
        if (spell >= RZMagicTables::SPELL_COUNT) {
            ++spell;
            continue;
        }
        std::vector<std::string> fields = RZTableText::splitFields(lineText);
        for (int level = 1; level <= 3; ++level) {
            ZDMagic record;
            RZMagicTables::applyDefaults(&record, spell, level);
            for (std::size_t f = 0; f < fields.size(); ++f) {
                const std::string& field = fields[f];
                if (f == 0) {
                    record.setName(field);
                } else if (f == 1) {
                    record.setTarget(RZMagicLoader::parseNumber(field));
                } else if (f == 14) {
                    record.setDescription(field);
                } else if ((f - 2) / 4 == static_cast<std::size_t>(level - 1)) {
                    std::int32_t value = RZMagicLoader::parseNumber(field);
                    switch ((f - 2) % 4) {
                    case 0:
                        record.setCost(value);
                        break;
                    case 1:
                        record.setRange(value);
                        break;
                    case 2:
                        record.setArea(value);
                        break;
                    default:
                        record.setEfficiency(value);
                        break;
                    }
                }
            }
            record.setSource(tablePath);
            records.push_back(std::move(record));
        }
        ++spell;
    }

    if (bytes.soundRead) {
        const char* sounds = bytes.sound.data();
        // One line per spell line read above, and each spell has three level
        // records.
        std::vector<std::string> names =
            RZTableText::soundNames(sounds, std::strlen(sounds), records.size() / 3);
        for (std::size_t n = 0; n < names.size(); ++n) {
            for (std::size_t j = 3 * n; j < 3 * n + 3; ++j) {
                records[j].setSound(names[n]);
            }
        }
    }

    std::int32_t row = 0;
    for (ZDMagic& record : records) {
        if (record.getRank() != 0) {
            record.setRow(++row);
            kept->push_back(std::move(record));
        }
    }
}

} // namespace

RZMagicLoader::RZMagicLoader() {
    setClassName("RZMagicLoader");
}

RZMagicLoader::~RZMagicLoader() = default;

std::int32_t RZMagicLoader::parseNumber(const std::string& field) {
    return RZTableText::parseNumber(field);
}

bool RZMagicLoader::readRecords(const HFile& tablePath, const HFile& soundPath,
                                std::vector<ZDMagic>* kept) {
    TableBytes bytes(tablePath, soundPath);
    if (!bytes.read()) {
        return false;
    }
    parseRecords(bytes, tablePath, kept);
    return true;
}

bool RZMagicLoader::load(HFile tablePath, HFile soundPath, RZEditData* document) {
    printMessage("load: file1=%s file2=%s", tablePath.fullPath().c_str(),
                 soundPath.fullPath().c_str());
    bool result = false;
    if (!document || !tablePath.exists()) {
        HLOG_INFO("RZMagicLoader", 70, "load:error param");
    } else {
        result = true;
        document->setTablePath(HFile());
        document->setSoundPath(HFile());
        document->clear();

        TableBytes bytes(tablePath, soundPath);
        bool read = false;
        {
            HStageClock::Scope stage("read");
            read = bytes.read();
        }
        if (read) {
            HStageClock::Scope stage("parse");
            std::vector<ZDMagic> records;
            parseRecords(bytes, tablePath, &records);
            for (ZDMagic& record : records) {
                document->append(std::make_unique<RZMagic>(std::move(record)));
            }
            document->setTablePath(tablePath);
            document->setSoundPath(soundPath);
        }
    }

    HFile game = tablePath.parent().parent();
    if (document && game.exists()) {
        HStageClock::Scope stage("characters");
        document->characters()->readAll(game);
    }
    return result;
}

bool RZMagicLoader::save(HFile tablePath, HFile soundPath, RZEditData* document) {
    printMessage("save: file1=%s file2=%s", tablePath.fullPath().c_str(),
                 soundPath.fullPath().c_str());
    backupFailure = false;
    if (!document) {
        HLOG_INFO("RZMagicLoader", 161, "save:error param");
        return false;
    }

    // Both files are made in full beside the originals, which are replaced
    // only when everything was written: a failed save loses nothing.
    std::vector<std::string> tableLines;
    std::string soundText;
    const std::uint32_t total = document->count();
    std::uint32_t i = 0;
    while (i < total) {
        const RZTableText::SpellLine line = RZTableText::spellLineAt(
            i, total,
            [document](std::size_t at) {
                return document->entryAt(static_cast<std::uint32_t>(at))->getIndex();
            },
            [document](std::size_t at) -> const RZSpellValues& {
                return document->entryAt(static_cast<std::uint32_t>(at))->values();
            });
        tableLines.push_back(RZTableText::formatSpellLine(line));
        soundText += line.levels[0]->sound;
        soundText += lineEnd;
        i += static_cast<std::uint32_t>(line.count);
    }

    std::string tableText;
    for (const std::string& line : tableLines) {
        tableText += line;
        tableText += lineEnd;
    }
    const bool writeSound = !soundPath.fullPath().empty() && !soundText.empty();
    const std::string soundBytes = soundText + "End";
    // Both files hold these bytes already: nothing is written, and no backup
    // folder is made that would only push a real one out of the newest kept.
    // When only one differs both are written as always, so the backup folder
    // holds a whole pair that opens as a table.
    if (holdsAlready(tablePath, tableText) &&
        (!writeSound || holdsAlready(soundPath, soundBytes))) {
        printMessage("save: the files hold these bytes already");
        document->setTablePath(tablePath);
        if (writeSound) {
            document->setSoundPath(soundPath);
        }
        return true;
    }

    // A target that cannot be written over (read-only, a directory) counts as
    // a file that does not open, as it would if it were opened in place.
    HFileReplacement table(tablePath);
    if (!table.write(tableText)) {
        if (table.openFailed()) {
            HLOG_INFO("RZMagicLoader", 165, "save:error fileopen");
        }
        return false;
    }
    HFileReplacement sound(soundPath);
    if (writeSound && !sound.write(soundBytes)) {
        // Unlike a table, a sound list that cannot be made fails the save:
        // reporting success would leave the files out of step.
        if (sound.openFailed()) {
            HLOG_INFO("RZMagicLoader", 214, "save:error fileopen(2)");
        }
        return false;
    }

    // Each file is replaced in one step, so its name always holds a whole
    // version. The old table first gets a second name, in the backup folder or
    // (where no backup can be made) beside it until the save ends, from which
    // it goes back in one step when the sound list cannot follow: both files
    // change or neither does.
    RZTableBackup backup(tablePath);
    const bool hadTable = tablePath.kind() == 1;
    HFile tableKept;
    bool keptBeside = false;
    HFileReplacement::Result done = HFileReplacement::Result::NOT_KEPT;
    if (hadTable) {
        tableKept = backup.place(TABLE_FILE_NAME);
        if (!tableKept.isEmpty()) {
            done = table.replace(tableKept);
        }
        if (done == HFileReplacement::Result::NOT_KEPT) {
            backup.notKept();
            tableKept = HFileReplacement::freeNameBeside(tablePath, ".bak~");
            keptBeside = true;
            if (!tableKept.isEmpty()) {
                done = table.replace(tableKept);
            }
        }
    } else {
        done = table.replace();
    }
    if (done != HFileReplacement::Result::REPLACED) {
        HDebug::debug("save:replace error %lu", GetLastError());
        if (done == HFileReplacement::Result::NOT_KEPT) {
            HLOG_INFO("RZMagicLoader", 170, "save:error keep");
        } else {
            HLOG_INFO("RZMagicLoader", 165, "save:error fileopen");
        }
        backup.discard();
        return false;
    }

    if (writeSound) {
        // The old sound list is only kept for the backup: it never goes back.
        HFile soundKept = soundPath.kind() == 1 ? backup.place(SOUND_FILE_NAME) : HFile();
        done = sound.replace(soundKept);
        if (done == HFileReplacement::Result::NOT_KEPT) {
            backup.notKept();
            done = sound.replace();
        }
        if (done != HFileReplacement::Result::REPLACED) {
            HDebug::debug("save:replace error(2) %lu", GetLastError());
            HLOG_INFO("RZMagicLoader", 214, "save:error fileopen(2)");
            if (!hadTable) {
                removeFile(tablePath);
            } else if (!HFileReplacement::moveOver(tableKept, tablePath)) {
                HDebug::debug("save:put back error %lu", GetLastError());
                HLOG_INFO("RZMagicLoader", 230, "save:error put back");
            }
            backup.discard();
            return false;
        }
    }
    if (keptBeside) {
        removeFile(tableKept);
    }
    backup.prune();
    backupFailure = backup.failed();
    if (backupFailure) {
        backup.discard(); // a folder made for files that could not be kept
    }

    document->setTablePath(tablePath);
    if (writeSound) {
        document->setSoundPath(soundPath);
    }
    return true;
}

bool RZMagicLoader::createDefault(RZEditData* document) {
    if (!document) {
        return true;
    }
    document->setTablePath(HFile());
    document->setSoundPath(HFile());
    document->clear();
    std::int32_t made = 0;
    for (int spell = 0; spell < RZMagicTables::SPELL_COUNT; ++spell) {
        for (int level = 1; level <= 3; ++level) {
            ZDMagic record;
            RZMagicTables::applyDefaults(&record, spell, level);
            record.setName(record.fieldText(ZDMagic::TEXT_SPELL));
            if (record.getRank() != 0) {
                record.setRow(++made);
                document->append(std::make_unique<RZMagic>(record));
            }
        }
    }
    return true;
}
