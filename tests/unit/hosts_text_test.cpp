#include <gtest/gtest.h>

#include <string>

#include "hosts/hosts_text.h"

namespace {

struct RemovalCase {
    const char* name;
    std::string text;
    const char* marker;
    std::string expected;
};

void PrintTo(const RemovalCase& c, std::ostream* out) {
    *out << c.name;
}

class MarkerRemoval : public ::testing::TestWithParam<RemovalCase> {};

TEST_P(MarkerRemoval, KeepsExactlyTheLinesItShould) {
    const RemovalCase& c = GetParam();
    EXPECT_EQ(WithoutMarkedLines(c.text, c.marker), c.expected);
}

// "优" is three bytes in UTF-8, so a line ending in it has an odd run of high bytes
// right before its line break.
const std::string kUtf8Comment = "# \xE4\xBC\x98";

INSTANTIATE_TEST_SUITE_P(
    WorkingText, MarkerRemoval,
    ::testing::Values(
        RemovalCase{"trailing_break_is_lost", "A\r\nB\r\n", "youku", "A\r\nB"},
        RemovalCase{"leading_empty_lines_vanish", "\r\n\r\nA", "youku", "A"},
        RemovalCase{"inner_empty_line_stays", "A\r\n\r\nB", "youku", "A\r\n\r\nB"},
        RemovalCase{"empty_text_stays_empty", "", "youku", ""},
        RemovalCase{"lone_cr_stays_inside_its_line", "A\rB\r\nC", "youku", "A\rB\r\nC"},
        RemovalCase{"own_lines_with_marker_go", "# mine\r\n127.0.0.1 ad.youku.com\r\nB", "youku",
                    "# mine\r\nB"},
        RemovalCase{"match_may_not_start_on_a_trail_byte", "127.0.0.1 \xB0youku.cn", "youku",
                    "127.0.0.1 \xB0youku.cn"},
        RemovalCase{"odd_high_run_before_crlf_does_not_join_lines",
                    kUtf8Comment + "\r\n127.0.0.1 ad.youku.com\r\n# next", "youku",
                    kUtf8Comment + "\r\n# next"},
        RemovalCase{"odd_high_run_before_lf_does_not_join_lines",
                    kUtf8Comment + "\n127.0.0.1 ad.youku.com\n# next", "youku",
                    kUtf8Comment + "\r\n# next"},
        RemovalCase{"lf_only_text_is_not_one_line",
                    "127.0.0.1 a.youku.com\n# mine\n127.0.0.1 b.letv.com\n", "youku",
                    "# mine\r\n127.0.0.1 b.letv.com"},
        RemovalCase{"lf_only_text_gets_crlf_even_when_nothing_goes", "A\nB\n", "youku", "A\r\nB"},
        RemovalCase{"mixed_line_ends", "A\r\n127.0.0.1 x.youku.com\nB\nC\r\n", "youku",
                    "A\r\nB\r\nC"},
        RemovalCase{"empty_lines_around_a_dropped_line_at_the_start",
                    "\r\n127.0.0.1 x.youku.com\r\n\r\nA\r\nB", "youku", "A\r\nB"},
        RemovalCase{"empty_line_after_a_dropped_line_stays", "A\r\n127.0.0.1 x.youku.com\r\n\r\nB",
                    "youku", "A\r\n\r\nB"},
        RemovalCase{"own_line_with_comment_goes", "127.0.0.1 ad.youku.com # note\r\nB", "youku",
                    "B"},
        RemovalCase{"tab_after_address_is_not_ours", "127.0.0.1\tstatic.youku.com", "youku",
                    "127.0.0.1\tstatic.youku.com"},
        RemovalCase{"leading_space_is_not_ours", " 127.0.0.1 ad.youku.com", "youku",
                    " 127.0.0.1 ad.youku.com"},
        RemovalCase{"other_address_is_not_ours", "0.0.0.0 ad.youku.com", "youku",
                    "0.0.0.0 ad.youku.com"},
        RemovalCase{"comment_is_not_ours", "# youku\r\nB", "youku", "# youku\r\nB"},
        RemovalCase{"bom_line_is_not_ours",
                    "\xEF\xBB\xBF"
                    "127.0.0.1 ad.youku.com\r\nB",
                    "youku",
                    "\xEF\xBB\xBF"
                    "127.0.0.1 ad.youku.com\r\nB"},
        RemovalCase{"vm_address_survives_six_rooms", "192.168.56.10 devbox\r\nB", "6.",
                    "192.168.56.10 devbox\r\nB"},
        RemovalCase{"vm_address_survives_wole", "192.168.56.10 devbox\r\nB", "56.",
                    "192.168.56.10 devbox\r\nB"},
        RemovalCase{"users_own_loopback_line_goes_with_its_marker",
                    "127.0.0.1 my6.box\r\n127.0.0.1 intranet", "6.", "127.0.0.1 intranet"}),
    [](const ::testing::TestParamInfo<RemovalCase>& info) { return info.param.name; });

TEST(RemoveMarkedLines, RewritesTheWorkingText) {
    HostsText = "127.0.0.1 a.letv.com\r\n# keep\r\n";
    RemoveMarkedLines("letv");
    EXPECT_EQ(HostsText, "# keep");
}

TEST(AppendBlock, AddsAfterTheLastByteEveryTime) {
    HostsText = "# mine\r\n";
    AppendBlock("\r\n127.0.0.1 a.example");
    AppendBlock("\r\n127.0.0.1 a.example");
    EXPECT_EQ(HostsText, "# mine\r\n\r\n127.0.0.1 a.example\r\n127.0.0.1 a.example");
}

}  // namespace
