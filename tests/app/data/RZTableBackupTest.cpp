// Which folder names are backups a save made, and the time and number that
// order them: only these folders are ever pruned.
#include "app/data/RZTableBackup.h"

#include <gtest/gtest.h>

#include <string>

TEST(RZTableBackup, NamesOfBackupFolders) {
    const struct {
        const char* name;
        const char* stamp; // nullptr: not a backup's name
        unsigned long number;
    } rows[] = {
        {"20240131-235959", "20240131-235959", 1},
        {"20240131-235959-2", "20240131-235959", 2},
        {"20240131-235959-10", "20240131-235959", 10},
        {"20240131-235959-999999", "20240131-235959", 999999},
        {"20240131-235959-1", nullptr, 0}, // the first save of a second has no number
        {"20240131-235959-0", nullptr, 0},
        {"20240131-235959-02", nullptr, 0},
        {"20240131-235959-", nullptr, 0},
        {"20240131-235959-1000000", nullptr, 0},
        {"20240131-235959-2a", nullptr, 0},
        {"20240131-235959x", nullptr, 0},
        {"20240131_235959", nullptr, 0},
        {"20240131-23595", nullptr, 0},
        {"2024013a-235959", nullptr, 0},
        {"2019-old", nullptr, 0},
        {"mine", nullptr, 0},
        {"", nullptr, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        std::string stamp = "unset";
        unsigned long number = 0;
        ASSERT_EQ(row.stamp != nullptr, RZTableBackup::parseName(row.name, stamp, number));
        if (row.stamp != nullptr) {
            EXPECT_EQ(row.stamp, stamp);
            EXPECT_EQ(row.number, number);
        }
    }
}
