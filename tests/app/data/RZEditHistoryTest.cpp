// The undo history's bounds: the last 1,000 steps always come back, and steps of
// very long texts cannot make it grow past its byte bound.
#include "app/data/RZEditData.h"
#include "app/data/RZEditHistory.h"
#include "app/data/RZMagicLoader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// One step: the entry at position gets a cost, or every entry a name and description.
void costStep(RZEditData& document, std::uint32_t position, int cost) {
    ASSERT_TRUE(document.history().record(document, {position}, position, [&] {
        document.entryAt(position)->setCost(cost);
        return true;
    }));
}

void textStep(RZEditData& document, const std::string& text) {
    ASSERT_TRUE(document.history().record(document, RZEditHistory::allPositions(document), 0, [&] {
        for (std::uint32_t i = 0; i < document.count(); ++i) {
            document.entryAt(i)->setName(text);
            document.entryAt(i)->setDescription(text);
        }
        return true;
    }));
}

} // namespace

TEST(RZEditHistory, KeepsTheLastThousandStepsWithinItsByteBound) {
    RZEditData document;
    RZMagicLoader().createDefault(&document);
    const std::uint32_t n = document.count();

    // 1,500 small steps: the last 1,000 undo back to the table after step 500.
    std::vector<int> costs(n, 0);
    std::vector<std::vector<int>> after;
    for (int s = 0; s < 1500; ++s) {
        ASSERT_NO_FATAL_FAILURE(costStep(document, static_cast<std::uint32_t>(s) % n, s + 1));
        costs[static_cast<size_t>(s) % n] = s + 1;
        if (s == 499) {
            after.push_back(costs);
        }
    }
    EXPECT_EQ(document.history().undoCount(), RZEditHistory::STEP_LIMIT);
    int undone = 0;
    while (document.history().undo(document) >= 0) {
        ++undone;
    }
    EXPECT_EQ(undone, 1000);
    for (std::uint32_t i = 0; i < n; ++i) {
        EXPECT_EQ(document.entryAt(i)->getCost(), after[0][i]) << i;
    }
    // An action that changed nothing is still a step: it ends what could be
    // redone, and undoing it changes nothing and names its entry.
    EXPECT_EQ(document.history().redoCount(), 1000u);
    EXPECT_FALSE(document.history().record(document, {0, 1}, 1, [] { return true; }));
    EXPECT_EQ(document.history().redoCount(), 0u);
    EXPECT_EQ(document.history().undo(document), 1);
    for (std::uint32_t i = 0; i < n; ++i) {
        EXPECT_EQ(document.entryAt(i)->getCost(), after[0][i]) << i;
    }

    // Steps of 64 KiB names and descriptions on every level: the oldest go, the
    // texts kept stay within the byte bound, and what is kept still undoes to the text before it.
    document.history().clear();
    const std::string big(64 * 1024, 'x');
    for (int s = 0; s < 30; ++s) {
        ASSERT_NO_FATAL_FAILURE(textStep(document, big + std::to_string(s)));
        EXPECT_LE(document.history().storedBytes(), RZEditHistory::BYTE_LIMIT);
    }
    const size_t kept = document.history().undoCount();
    EXPECT_GE(kept, 1u);
    EXPECT_LT(kept, 30u);
    EXPECT_LE((kept - 1) * n * 2 * big.size(), RZEditHistory::BYTE_LIMIT);
    for (size_t k = 0; k < kept; ++k) {
        ASSERT_GE(document.history().undo(document), 0);
    }
    EXPECT_EQ(document.entryAt(n - 1)->getDescription(), big + std::to_string(29 - kept));
}
