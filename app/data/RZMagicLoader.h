#pragma once

#include "support/HFile.h"
#include "support/HObject.h"

#include <cstdint>
#include <string>
#include <vector>

class RZEditData;
class ZDMagic;

// Reads the MagicTable and SoundFileName files into a document, writes a
// document back into them, and builds a new table from the built-in defaults.
class RZMagicLoader : public HObject {
  public:
    RZMagicLoader();
    ~RZMagicLoader() override;

    // The existing spell levels of a pair of table files, in file order with
    // their row numbers, appended to `kept`; false when the table cannot be read.
    bool readRecords(const HFile& tablePath, const HFile& soundPath, std::vector<ZDMagic>* kept);
    // False only for a null document or a table path that does not exist.
    bool load(HFile tablePath, HFile soundPath, RZEditData* document);
    // Writes each file beside itself first and replaces the original only when
    // everything was written, each in one step; on false the files on disk are
    // as they were. The versions it replaces are kept in a backup folder
    // beside the table.
    bool save(HFile tablePath, HFile soundPath, RZEditData* document);
    // Whether the last successful save could not keep the replaced files.
    bool backupFailed() const { return backupFailure; }
    // The built-in 81 spell levels with default names; always true.
    bool createDefault(RZEditData* document);

    // The program's decimal reader (table fields and numbers typed into the form).
    static std::int32_t parseNumber(const std::string& field);

  private:
    bool backupFailure = false;
};
