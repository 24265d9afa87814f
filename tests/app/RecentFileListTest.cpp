#include "app/RecentFileList.h"
#include "platform/MemorySettingsStore.h"

#include <gtest/gtest.h>

namespace {

TEST(RecentFileList, KeepsEightNewestFirstWithoutRepeats) {
    RecentFileList list;
    for (int i = 1; i <= 10; ++i) {
        list.Add("/s/" + std::to_string(i) + ".ekd");
    }
    ASSERT_EQ(list.Entries().size(), 8u);
    EXPECT_EQ(list.Entries().front(), "/s/10.ekd");
    EXPECT_EQ(list.Entries().back(), "/s/3.ekd");

    list.Add("/s/5.ekd");
    EXPECT_EQ(list.Entries().front(), "/s/5.ekd");
    EXPECT_EQ(list.Entries().size(), 8u);
    EXPECT_EQ(std::count(list.Entries().begin(), list.Entries().end(), "/s/5.ekd"), 1);
}

TEST(RecentFileList, SavesAndLoadsFile1ToFile8) {
    MemorySettingsStore store;
    RecentFileList list;
    list.Add("/a.ekd");
    list.Add("/b.ekd");
    list.Save(store);
    EXPECT_EQ(store.GetString("Recent File List", "File1"), "/b.ekd");
    EXPECT_EQ(store.GetString("Recent File List", "File2"), "/a.ekd");
    EXPECT_FALSE(store.Contains("Recent File List", "File3"));

    RecentFileList loaded;
    loaded.Load(store);
    EXPECT_EQ(loaded.Entries(), list.Entries());

    loaded.Remove("/b.ekd");
    loaded.Save(store);
    EXPECT_EQ(store.GetString("Recent File List", "File1"), "/a.ekd");
    EXPECT_FALSE(store.Contains("Recent File List", "File2"));
}

} // namespace
