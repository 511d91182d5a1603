#include <gtest/gtest.h>

#include "hosts/hosts_text.h"
#include "hosts/site_selection.h"
#include "posix_fixture.h"

namespace {

class SiteSelection : public PosixFixture {
  protected:
    void SetUp() override {
        PosixFixture::SetUp();
        HostsText = "# mine\r\n";
    }
};

TEST_F(SiteSelection, SelectAllChecksEveryBoxAndLeavesTheText) {
    SelectAllSites();
    for (const SiteEntry& site : SiteCatalogue) {
        EXPECT_TRUE(BoxChecked(site.box)) << site.caption;
    }
    EXPECT_EQ(HostsText, "# mine\r\n");
}

// The old loop stopped one short and left "优酷" checked.
TEST_F(SiteSelection, ClearUnchecksEveryBoxIncludingYouku) {
    SelectAllSites();
    ClearSites();
    for (const SiteEntry& site : SiteCatalogue) {
        EXPECT_FALSE(BoxChecked(site.box)) << site.caption;
    }
    EXPECT_EQ(HostsText, "# mine\r\n");
}

TEST_F(SiteSelection, CheckingAddsTheBlockAndUncheckingRemovesItsLines) {
    const SiteEntry& letv = *SiteForBox(11);
    ClickBox(11);  // unchecked -> checked
    EXPECT_EQ(HostsText, std::string("# mine\r\n") + letv.block);
    ClickBox(11);
    EXPECT_EQ(HostsText, "# mine\r\n");
}

TEST_F(SiteSelection, UncheckingSixRoomsTakesTheLinesOfOtherSitesHoldingItsMarker) {
    HostsText = "# mine";
    AppendBlock(SiteForBox(6)->block);  // 我乐网: every line holds "56."
    SelectAllSites();
    ClickBox(16);
    EXPECT_EQ(HostsText, "# mine");
    EXPECT_TRUE(BoxChecked(6)) << "other boxes are not touched";
}

}  // namespace
