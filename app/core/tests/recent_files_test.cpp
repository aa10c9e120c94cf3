// The recent-files list: most recent first, each file once however its path
// is spelt, eight at most, and what settings hand back made sound.
#include "app/core/recent_files.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace ampera::testing {
namespace {

using Paths = std::vector<std::string>;

TEST(RecentFilesTest, NewestFirstAndAFileAddedAgainMovesToTheFront) {
    CRecentFiles recent;
    EXPECT_TRUE(recent.Empty());
    EXPECT_TRUE(recent.Add("/lab/a.vtx"));
    EXPECT_TRUE(recent.Add("/lab/b.vtx"));
    EXPECT_TRUE(recent.Add("/lab/c.vtx"));
    EXPECT_EQ(recent.Paths(), (Paths{"/lab/c.vtx", "/lab/b.vtx", "/lab/a.vtx"}));

    EXPECT_TRUE(recent.Add("/lab/a.vtx"));
    EXPECT_EQ(recent.Paths(), (Paths{"/lab/a.vtx", "/lab/c.vtx", "/lab/b.vtx"}));
    // Saving the file already first (every Save does) changes nothing, so
    // nothing needs storing.
    EXPECT_FALSE(recent.Add("/lab/a.vtx"));
    EXPECT_FALSE(recent.Add(""));
    EXPECT_EQ(recent.Paths().size(), 3u);
}

TEST(RecentFilesTest, KeepsTheLastEightAndDropsTheOldest) {
    CRecentFiles recent;
    for (int i = 0; i < 10; ++i)
        recent.Add("/lab/" + std::to_string(i) + ".vtx");
    ASSERT_EQ(recent.Paths().size(), CRecentFiles::kCapacity);
    EXPECT_EQ(recent.Paths().front(), "/lab/9.vtx");
    EXPECT_EQ(recent.Paths().back(), "/lab/2.vtx");

    // A listed file coming back makes no room for anything else.
    recent.Add("/lab/5.vtx");
    EXPECT_EQ(recent.Paths().size(), CRecentFiles::kCapacity);
    EXPECT_EQ(recent.Paths().back(), "/lab/2.vtx");
}

TEST(RecentFilesTest, SpellingsOfOneFileTakeOnePlace) {
    const std::string cwd = std::filesystem::current_path().lexically_normal().string();
    struct Case {
        const char* spelling;
        std::string normal;
    };
    const Case cases[] = {
        {"/lab/exp/rc.vtx", "/lab/exp/rc.vtx"},
        {"/lab/./exp/rc.vtx", "/lab/exp/rc.vtx"},
        {"/lab/other/../exp/rc.vtx", "/lab/exp/rc.vtx"},
        {"/lab//exp///rc.vtx", "/lab/exp/rc.vtx"},
        {"/lab/exp/", "/lab/exp"},
        {"rc.vtx", (std::filesystem::path(cwd) / "rc.vtx").string()},
        {"./sub/../rc.vtx", (std::filesystem::path(cwd) / "rc.vtx").string()},
        {"/", "/"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CRecentFiles::Normalise(c.spelling), c.normal) << c.spelling;

    CRecentFiles recent;
    for (const char* spelling : {"/lab/exp/rc.vtx", "/lab/./exp/rc.vtx", "/lab/other/../exp/rc.vtx"})
        recent.Add(spelling);
    EXPECT_EQ(recent.Paths(), Paths{"/lab/exp/rc.vtx"});
    EXPECT_TRUE(recent.Remove("/lab//exp/rc.vtx"));
    EXPECT_TRUE(recent.Empty());
    EXPECT_FALSE(recent.Remove("/lab/exp/rc.vtx"));
}

TEST(RecentFilesTest, AStoredListIsCleanedAsItIsRead) {
    CRecentFiles recent;
    recent.Assign({"/lab/a.vtx", "", "/lab/./a.vtx", "/lab/b.vtx", "/lab/1.vtx", "/lab/2.vtx", "/lab/3.vtx",
                   "/lab/4.vtx", "/lab/5.vtx", "/lab/6.vtx", "/lab/7.vtx"});
    EXPECT_EQ(recent.Paths(), (Paths{"/lab/a.vtx", "/lab/b.vtx", "/lab/1.vtx", "/lab/2.vtx", "/lab/3.vtx",
                                     "/lab/4.vtx", "/lab/5.vtx", "/lab/6.vtx"}));
    recent.Assign({});
    EXPECT_TRUE(recent.Empty());
}

TEST(RecentFilesTest, MenuTextsNumberTheEntriesAndShowAmpersands) {
    EXPECT_EQ(RecentMenuText(0, "/lab/rc.vtx"), "&1 /lab/rc.vtx");
    EXPECT_EQ(RecentMenuText(7, "/R&D/电路&.vtx"), "&8 /R&&D/电路&&.vtx");
}

} // namespace
} // namespace ampera::testing
