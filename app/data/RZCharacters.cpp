#include "app/data/RZCharacters.h"

#include "app/data/RZCharacterFile.h"
#include "app/data/RZMagicTables.h"
#include "support/HDebug.h"
#include "support/HFileReader.h"
#include "support/HFindFiles.h"

RZCharacters::RZCharacters() : rankNames(RZMagicTables::copyTable(RZMagicTables::TABLE_RANKS)) {
    setClassName("RZCharacters");
}

RZCharacters::~RZCharacters() {
    clear();
}

void RZCharacters::clear() {
    characters.clear();
    cursor = -1;
}

bool RZCharacters::readFile(const HFile& path) {
    HFileReader reader(path);
    if (!reader.read()) {
        return false;
    }
    const unsigned char* data = reinterpret_cast<const unsigned char*>(reader.data());
    RZCharacterFile::Header header;
    // A count of 0 would wrap to a huge number of records: refused like any
    // other header that does not fit the file.
    if (!RZCharacterFile::checkHeader(data, reader.size(), header)) {
        HLOG_INFO("RZCharacters", 66, "readFile:header check error.");
        printMessage("version=%u", header.version);
        printMessage("count  =%u", header.records);
        printMessage("length =%u", header.expectedSize);
        printMessage("filelen=%u", header.actualSize);
        return false;
    }
    for (std::uint32_t i = 0; i < header.records; ++i) {
        characters.push_back(std::make_unique<ZDCharacter>(path, static_cast<std::int32_t>(i),
                                                           RZCharacterFile::recordAt(data, i)));
    }
    return true;
}

bool RZCharacters::readAll(const HFile& gameDirectory) {
    clear();
    std::vector<HFile> entries;
    entries.reserve(25);
    HFindFiles::getDirectories(gameDirectory, entries);
    bool any = false;
    for (const HFile& entry : entries) {
        if (entry.name() == "." || entry.name() == "..") {
            continue;
        }
        HFile file;
        file.setDirectory(entry.fullPath());
        file.setName("CharacterData");
        if (file.exists() && readFile(file)) {
            any = true;
        }
    }
    return any;
}

void RZCharacters::start(int element, int rank) {
    this->element = element;
    this->rank = rank;
    cursor = -1;
    advance();
}

bool RZCharacters::mayUse(std::uint32_t i, int element, int rank) const {
    const ZDCharacter* character = characterAt(i);
    // An element outside 0..5 matches no character.
    return character != nullptr && element >= 0 && element <= 5 &&
           character->aptitude(element) >= rank;
}

std::string RZCharacters::aptitudeText(std::uint32_t i, int element) const {
    const ZDCharacter* character = characterAt(i);
    if (character == nullptr) {
        return std::string();
    }
    const int aptitude = character->aptitude(element);
    auto found = rankNames.find(aptitude);
    return found != rankNames.end() ? found->second : std::to_string(aptitude);
}

void RZCharacters::next(std::string* name, std::string* aptitudeText) {
    if (name && aptitudeText && cursor >= 0 &&
        static_cast<std::size_t>(cursor) < characters.size()) {
        *name = characterAt(static_cast<std::uint32_t>(cursor))->name();
        *aptitudeText = this->aptitudeText(static_cast<std::uint32_t>(cursor), element);
    }
    printMessage("next:%d (%u)", static_cast<int>(cursor),
                 static_cast<unsigned>(characters.size()));
    advance();
}

void RZCharacters::advance() {
    std::int64_t at = static_cast<std::int64_t>(cursor) + 1;
    const std::int64_t total = static_cast<std::int64_t>(characters.size());
    while (at < total) {
        if (mayUse(static_cast<std::uint32_t>(at), element, rank)) {
            cursor = static_cast<std::int32_t>(at);
            return;
        }
        ++at;
    }
    cursor = -1;
}
