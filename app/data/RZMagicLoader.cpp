#include "app/data/RZMagicLoader.h"

#include "app/data/RZEditData.h"
#include "app/data/RZMagic.h"
#include "app/data/RZMagicTables.h"
#include "app/data/RZTableBackup.h"
#include "app/data/RZTableFileNames.h"
#include "app/data/RZTableText.h"
#include "support/HDebug.h"
#include "support/HFileReader.h"
#include "support/HFileWriter.h"

#include <windows.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

const char lineEnd[] = "\r\n";

// The file a save writes first, beside the one it will replace. A name that
// is taken (a user's own file, or one left by an earlier save) is never
// written over and later deleted: a number is added until the name is free.
HFile temporaryBeside(const HFile& file, const char* suffix) {
    if (file.fullPath().empty()) {
        return HFile(); // nothing to write beside: opening it fails
    }
    HFile temporary = file;
    temporary.setName(file.name() + suffix);
    for (int n = 1; temporary.exists(); ++n) {
        if (n > 999) {
            return HFile(); // no free name: the save fails as one that cannot open
        }
        temporary.setName(file.name() + "." + std::to_string(n) + suffix);
    }
    return temporary;
}

// Whether a finished file may be moved over the target: it must not be a
// directory or read-only. Checked for both files before either is replaced.
bool replaceable(const HFile& target) {
    DWORD attributes = GetFileAttributesA(target.fullPath().c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return true;
    }
    return (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) == 0;
}

bool replaceWith(const HFile& temporary, const HFile& target) {
    return MoveFileExA(temporary.fullPath().c_str(), target.fullPath().c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

void removeFile(const HFile& file) {
    DeleteFileA(file.fullPath().c_str());
}

// Writes a whole file through the buffered writer; false on any failure.
// openFailed tells a file that could not be created from one that failed later.
bool writeLines(const HFile& file, const std::vector<std::string>& lines, bool withLineEnds,
                bool& openFailed) {
    HFileWriter writer(file);
    openFailed = !writer.open();
    if (openFailed) {
        return false;
    }
    bool ok = true;
    for (const std::string& line : lines) {
        if (!writer.write(line.data(), static_cast<std::uint32_t>(line.size()))) {
            ok = false;
        }
        if (withLineEnds && !writer.write(lineEnd, 2)) {
            ok = false;
        }
    }
    if (!writer.flush()) {
        ok = false;
    }
    if (!writer.close()) {
        ok = false;
    }
    return ok;
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
    HFileReader tableReader(tablePath);
    HFileReader soundReader(soundPath);
    if (!tableReader.read()) {
        return false;
    }
    const char* text = tableReader.data();
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
                    record.setTarget(parseNumber(field));
                } else if (f == 14) {
                    record.setDescription(field);
                } else if ((f - 2) / 4 == static_cast<std::size_t>(level - 1)) {
                    std::int32_t value = parseNumber(field);
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
            records.push_back(record);
        }
        ++spell;
    }

    if (soundReader.read()) {
        const char* sounds = soundReader.data();
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
            kept->push_back(record);
        }
    }
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

        std::vector<ZDMagic> records;
        if (readRecords(tablePath, soundPath, &records)) {
            for (const ZDMagic& record : records) {
                document->append(std::make_unique<RZMagic>(record));
            }
            document->setTablePath(tablePath);
            document->setSoundPath(soundPath);
        }
    }

    HFile game = tablePath.parent().parent();
    if (document && game.exists()) {
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
        const RZMagic* first = document->entryAt(i);
        std::vector<const RZMagic*> members{first};
        if (i + 1 < total && document->entryAt(i + 1)->getIndex() == first->getIndex()) {
            members.push_back(document->entryAt(i + 1));
        }
        if (i + 2 < total && document->entryAt(i + 2)->getIndex() == first->getIndex()) {
            members.push_back(document->entryAt(i + 2));
        }
        std::int32_t numbers[3][4] = {};
        for (std::size_t m = 0; m < members.size(); ++m) {
            numbers[m][0] = members[m]->getCost();
            numbers[m][1] = members[m]->getRange();
            numbers[m][2] = members[m]->getArea();
            numbers[m][3] = members[m]->getEfficiency();
        }
        tableLines.push_back(RZTableText::formatTableLine(first->getName(), first->getTarget(),
                                                          numbers, first->getDescription()));
        soundText += first->getSound();
        soundText += lineEnd;
        i += static_cast<std::uint32_t>(members.size());
    }

    // A target that cannot be written over (read-only, a directory) counts as
    // a file that does not open, as it would if it were opened in place.
    HFile tableTemporary = temporaryBeside(tablePath, ".tmp~");
    bool openFailed = !replaceable(tablePath);
    bool result = !openFailed && writeLines(tableTemporary, tableLines, true, openFailed);
    if (openFailed) {
        HLOG_INFO("RZMagicLoader", 165, "save:error fileopen");
        return false;
    }

    const bool writeSound = !soundPath.fullPath().empty() && !soundText.empty();
    HFile soundTemporary = temporaryBeside(soundPath, ".tmp~");
    if (lstrcmpiA(soundTemporary.fullPath().c_str(), tableTemporary.fullPath().c_str()) == 0) {
        soundTemporary = temporaryBeside(soundPath, ".tmp2~");
    }
    if (result && writeSound) {
        soundText += "End";
        openFailed = !replaceable(soundPath);
        if (openFailed || !writeLines(soundTemporary, {soundText}, false, openFailed)) {
            // Unlike a table, a sound list that cannot be made fails the save:
            // reporting success would leave the files out of step.
            if (openFailed) {
                HLOG_INFO("RZMagicLoader", 214, "save:error fileopen(2)");
            }
            result = false;
        }
    }

    // A target held open by another program cannot be replaced: the same
    // failure as one that cannot be opened for writing. The old table is kept
    // aside until the sound list is in place too, so both files change or
    // neither does. The files replaced are kept in a backup folder; where that
    // cannot be made, the old table waits beside itself and is deleted after.
    RZTableBackup backup(tablePath);
    const bool hadTable = result && tablePath.kind() == 1;
    HFile tableAside;
    bool asideInBackup = false;
    if (hadTable) {
        tableAside = backup.moveAside(tablePath, TABLE_FILE_NAME);
        asideInBackup = !tableAside.isEmpty();
        if (!asideInBackup) {
            tableAside = temporaryBeside(tablePath, ".bak~");
        }
    }
    HFile soundAside;
    if (result && hadTable && !asideInBackup && !replaceWith(tablePath, tableAside)) {
        HDebug::debug("save:replace error %lu", GetLastError());
        HLOG_INFO("RZMagicLoader", 165, "save:error fileopen");
        result = false;
    } else if (result && !replaceWith(tableTemporary, tablePath)) {
        HDebug::debug("save:replace error %lu", GetLastError());
        HLOG_INFO("RZMagicLoader", 165, "save:error fileopen");
        if (hadTable) {
            replaceWith(tableAside, tablePath);
        }
        result = false;
    } else if (result && writeSound) {
        // The sound list is replaced in one step, as before backups: its old
        // version gets a second name in the backup folder first.
        bool soundMoved = false;
        if (soundPath.kind() == 1) {
            soundAside = backup.linkAside(soundPath, SOUND_FILE_NAME, soundMoved);
        }
        if (!replaceWith(soundTemporary, soundPath)) {
            HDebug::debug("save:replace error(2) %lu", GetLastError());
            HLOG_INFO("RZMagicLoader", 214, "save:error fileopen(2)");
            if (!soundAside.isEmpty() && soundMoved) {
                replaceWith(soundAside, soundPath);
            } else if (!soundAside.isEmpty()) {
                removeFile(soundAside);
            }
            if (hadTable) {
                replaceWith(tableAside, tablePath);
            } else {
                removeFile(tablePath);
            }
            result = false;
        }
    }
    if (result && hadTable && !asideInBackup) {
        removeFile(tableAside);
    }
    if (!result) {
        backup.discard();
        removeFile(tableTemporary);
        if (writeSound) {
            removeFile(soundTemporary);
        }
        return false;
    }
    backup.prune();
    backupFailure = backup.failed();

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
