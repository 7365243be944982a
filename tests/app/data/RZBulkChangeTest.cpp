// The bulk change: the values it reads, its arithmetic, the rows each target
// reaches and the rows that leave a field's range.
#include "app/data/RZBulkChange.h"
#include "app/data/RZEditData.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using namespace RZBulkChange;

TEST(RZBulkChange, ReadsTheValueAndComputesIn64Bits) {
    const struct {
        const char* text;
        Operation operation;
        ValueError error;
        std::int64_t present; // the row's value before
        std::int64_t expected;
    } rows[] = {
        {"120", SET, ValueError::NONE, 5, 120},
        {"-5", SET, ValueError::NOT_A_NUMBER, 0, 0},
        {"-7", ADD, ValueError::NONE, 5, -2},
        {"999999999999999999", ADD, ValueError::NONE, 2147483647, 1000000002147483646},
        {"1000000000000000000", ADD, ValueError::NOT_A_NUMBER, 0, 0},
        {"", ADD, ValueError::NOT_A_NUMBER, 0, 0},
        {"-", ADD, ValueError::NOT_A_NUMBER, 0, 0},
        {"+1", ADD, ValueError::NOT_A_NUMBER, 0, 0},
        {"1x", SET, ValueError::NOT_A_NUMBER, 0, 0},
        // Halves away from zero, on both sides.
        {"50", PERCENT, ValueError::NONE, 5, 3},
        {"50", PERCENT, ValueError::NONE, -5, -3},
        {"50", PERCENT, ValueError::NONE, 3, 2},
        {"1", PERCENT, ValueError::NONE, 149, 1},
        {"1", PERCENT, ValueError::NONE, -149, -1},
        {"1", PERCENT, ValueError::NONE, 151, 2},
        {"1", PERCENT, ValueError::NONE, -151, -2},
        {"0", PERCENT, ValueError::NONE, 9999, 0},
        {"1000", PERCENT, ValueError::NONE, 9999, 99990},
        {"1000", PERCENT, ValueError::NONE, 2147483647, 21474836470},
        {"1000", PERCENT, ValueError::NONE, -2147483648LL, -21474836480},
        {"1001", PERCENT, ValueError::PERCENT_TOO_HIGH, 0, 0},
        {"-1", PERCENT, ValueError::NOT_A_NUMBER, 0, 0},
    };
    for (const auto& row : rows) {
        std::int64_t value = -99;
        EXPECT_EQ(parseValue(row.text, row.operation, value), row.error) << row.text;
        if (row.error == ValueError::NONE) {
            EXPECT_EQ(apply(row.operation, row.present, value), row.expected)
                << row.text << " on " << row.present;
        }
    }
}

TEST(RZBulkChange, ReachesTheTargetRowsAndFindsThoseOutOfRange) {
    // Spell, level, element and cost of each row.
    const int table[][4] = {{0, 1, 0, 10}, {0, 2, 0, 9000}, {1, 1, 1, 20},
                            {2, 1, 0, 30}, {2, 2, 0, 9995}, {3, 2, 2, 40}};
    RZEditData document;
    for (const auto& row : table) {
        ZDMagic record;
        record.setIndex(row[0]);
        record.setLevel(row[1]);
        record.setElement(row[2]);
        record.setCost(row[3]);
        document.append(std::make_unique<RZMagic>(record));
    }
    // Reckoned from row 1 (spell 0, level 2, element 0), a filter showing rows
    // 1, 3 and 5; with no row selected only ALL_ROWS and SHOWN_ROWS reach any row.
    document.setFilter(RZRowFilter::Conditions(), {1, 3, 5});
    const std::vector<std::uint32_t> reaches[TARGET_COUNT] = {
        {0, 1, 2, 3, 4, 5}, {0, 1}, {0, 1, 3, 4}, {1, 4, 5}, {1, 3, 5}};
    for (int target = 0; target < TARGET_COUNT; ++target) {
        for (const RZMagic* selected : {document.entryAt(1), static_cast<RZMagic*>(nullptr)}) {
            const Plan plan = RZBulkChange::plan(document, RZSpellFields::FIELD_COST, ADD, 1,
                                                 static_cast<Target>(target), selected);
            std::vector<std::uint32_t> reached;
            for (const Change& change : plan.changes) {
                reached.push_back(change.position);
                EXPECT_EQ(change.value, table[change.position][3] + 1);
            }
            EXPECT_EQ(reached, selected != nullptr || !needsSelection(static_cast<Target>(target))
                                   ? reaches[target]
                                   : std::vector<std::uint32_t>{})
                << target;
            EXPECT_TRUE(plan.allowed());
        }
    }
    // Without a filter every row is shown.
    document.clearFilter();
    EXPECT_EQ(RZBulkChange::plan(document, RZSpellFields::FIELD_COST, ADD, 1, SHOWN_ROWS, nullptr)
                  .changes.size(),
              6u);

    // Cost takes 0..9999: only row 4 goes over. Range takes 0..99: 100 and -1
    // are out on every row, listed in table order.
    Plan over = RZBulkChange::plan(document, RZSpellFields::FIELD_COST, ADD, 5, ALL_ROWS, nullptr);
    ASSERT_EQ(over.outside.size(), 1u);
    EXPECT_EQ(over.outside[0].position, 4u);
    EXPECT_EQ(over.outside[0].value, 10000);
    EXPECT_FALSE(over.allowed());
    for (int value : {99, 100, -1}) {
        over =
            RZBulkChange::plan(document, RZSpellFields::FIELD_RANGE, SET, value, ALL_ROWS, nullptr);
        ASSERT_EQ(over.outside.size(), value == 99 ? 0u : 6u) << value;
        for (std::uint32_t i = 0; i < over.outside.size(); ++i) {
            EXPECT_EQ(over.outside[i].position, i);
        }
    }
}
