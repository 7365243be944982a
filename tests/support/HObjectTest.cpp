#include "support/HObject.h"
#include "tests/common/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdio>

using namespace testsupport;

namespace {
class Middle : public HObject {
  public:
    Middle() { setClassName("Middle"); }
};
class Leaf : public Middle {
  public:
    Leaf() { setClassName("Leaf"); }
};

std::size_t count(const std::string& text, const std::string& what) {
    std::size_t n = 0;
    for (std::size_t at = 0; (at = text.find(what, at)) != std::string::npos; at += what.size()) {
        ++n;
    }
    return n;
}
} // namespace

TEST(HObject, NamingStepsAnnounceCreationAndDeletion) {
    LogTail log;
    Leaf* leaf = new Leaf;
    char address[32];
    snprintf(address, sizeof(address), "@%llX:", hexOf(leaf));
    std::string afterBuild = log.text();
    EXPECT_EQ(3u, count(afterBuild, "生成"));
    EXPECT_EQ(2u, count(afterBuild, "削除"));
    EXPECT_NE(std::string::npos, afterBuild.find(std::string("Leaf") + address + "生成"));
    EXPECT_EQ("Leaf", leaf->getClassName());

    char expected[64];
    snprintf(expected, sizeof(expected), "Leaf@%llX", hexOf(leaf));
    EXPECT_EQ(expected, leaf->toString());
    EXPECT_EQ(std::string::npos, leaf->toString().find("0x"));

    leaf->printMessage("value=%d", 42);
    delete leaf;
    std::string all = log.text();
    EXPECT_NE(std::string::npos, all.find(std::string(" DBG Leaf") + address + "value=42"));
    EXPECT_EQ(3u, count(all, "削除"));
    EXPECT_NE(std::string::npos, all.find(std::string("Leaf") + address + "削除"));
}
