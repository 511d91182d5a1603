#include "hosts/site_catalogue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "hosts/hosts_text.h"

namespace {

struct ExpectedSite {
    int box;
    std::string_view caption;
    std::string_view marker;
    int blockOrder;
    std::size_t lineCount;
    std::set<std::size_t> markerLines;  // 1-based
};

const std::vector<ExpectedSite>& ExpectedSites() {
    static const std::vector<ExpectedSite> sites = {
        {2, "优酷", "youku", 1, 15, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}},
        {3, "天线视频", "openv.", 13, 3, {1, 2, 3}},
        {4, "酷6", "ku6", 2, 16, {2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16}},
        {5, "土豆", "tudou", 4, 11, {1, 2, 3, 4, 5, 9, 10, 11}},
        {6, "我乐网", "56.", 10, 10, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}},
        {7, "奇艺", "qiyi", 3, 2, {1}},
        {8, "激动网", "joy", 9, 3, {1, 2, 3}},
        {9, "迅雷看看", "xunlei.", 14, 5, {4}},
        {10, "CNTV", "cctv", 6, 6, {1, 3, 6}},
        {11, "乐视", "letv", 8, 1, {1}},
        {12, "新浪视频", "sina.", 15, 1, {1}},
        {13,
         "百度",
         "baidu",
         7,
         20,
         {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19}},
        {14, "搜狐高清", "sohu.", 12, 1, {1}},
        {15, "PPTV", "pptv", 11, 1, {1}},
        {16, "6间房", "6.", 5, 4, {2, 3, 4}},
    };
    return sites;
}

// Lines of other sites' blocks that a marker matches: "6." sits in "56." and
// "ku6.". Maps (marker's box, block's box) to the lines that survive.
struct CrossEffect {
    int markerBox;
    int blockBox;
    std::set<std::size_t> survivingLines;
};

const std::vector<CrossEffect> kCrossEffects = {
    {16, 6, {}},
    {16, 4, {1, 3, 5}},
};

constexpr std::string_view kLineBreak = "\r\n";
constexpr std::string_view kLinePrefix = "127.0.0.1 ";

std::vector<std::string> LinesOf(std::string_view block) {
    std::vector<std::string> lines;
    if (block.substr(0, kLineBreak.size()) != kLineBreak) {
        ADD_FAILURE() << "block does not start with CR LF: " << block;
        return lines;
    }
    std::string_view rest = block.substr(kLineBreak.size());
    for (;;) {
        const std::size_t end = rest.find(kLineBreak);
        lines.emplace_back(rest.substr(0, end));
        if (end == std::string_view::npos) {
            return lines;
        }
        rest = rest.substr(end + kLineBreak.size());
    }
}

std::string HostOf(const std::string& line) {
    return line.substr(kLinePrefix.size());
}

std::string JoinedLines(const std::vector<std::string>& lines, const std::set<std::size_t>& keep) {
    std::string joined;
    for (std::size_t number : keep) {
        if (!joined.empty()) {
            joined.append(kLineBreak);
        }
        joined.append(lines.at(number - 1));
    }
    return joined;
}

std::set<std::size_t> AllLines(std::size_t count) {
    std::set<std::size_t> all;
    for (std::size_t number = 1; number <= count; ++number) {
        all.insert(number);
    }
    return all;
}

const ExpectedSite& ExpectedFor(int box) {
    const auto& sites = ExpectedSites();
    return *std::find_if(sites.begin(), sites.end(),
                         [box](const ExpectedSite& site) { return site.box == box; });
}

TEST(SiteCatalogue, EntriesHoldTheirCaptionsMarkersOrdersAndMarkedLines) {
    ASSERT_EQ(SiteCatalogue.size(), ExpectedSites().size());
    for (std::size_t i = 0; i < SiteCatalogue.size(); ++i) {
        const SiteEntry& site = SiteCatalogue[i];
        const ExpectedSite& expected = ExpectedSites()[i];
        SCOPED_TRACE(expected.caption);
        EXPECT_EQ(site.box, expected.box);
        EXPECT_EQ(std::string_view(site.caption), expected.caption);
        EXPECT_EQ(std::string_view(site.marker), expected.marker);
        EXPECT_EQ(site.blockOrder, expected.blockOrder);

        const std::vector<std::string> lines = LinesOf(site.block);
        ASSERT_EQ(lines.size(), expected.lineCount);
        std::set<std::size_t> marked;
        for (std::size_t number = 1; number <= lines.size(); ++number) {
            const std::string& line = lines[number - 1];
            ASSERT_EQ(line.substr(0, kLinePrefix.size()), kLinePrefix) << line;
            const std::string host = HostOf(line);
            EXPECT_FALSE(host.empty()) << line;
            EXPECT_TRUE(
                std::all_of(host.begin(), host.end(), [](char c) { return c > ' ' && c < 0x7f; }))
                << "host with a space or a non-printing byte: " << line;
            if (line.find(expected.marker) != std::string::npos) {
                marked.insert(number);
            }
        }
        EXPECT_EQ(marked, expected.markerLines);
    }
}

TEST(SiteCatalogue, EveryMarkerRemovesExactlyTheExpectedLinesFromEveryBlock) {
    for (const SiteEntry& markerSite : SiteCatalogue) {
        for (const SiteEntry& blockSite : SiteCatalogue) {
            SCOPED_TRACE(std::string(markerSite.marker) + " on " + blockSite.caption);
            const std::vector<std::string> lines = LinesOf(blockSite.block);
            std::set<std::size_t> surviving = AllLines(lines.size());
            if (&markerSite == &blockSite) {
                for (std::size_t number : ExpectedFor(blockSite.box).markerLines) {
                    surviving.erase(number);
                }
            }
            for (const CrossEffect& effect : kCrossEffects) {
                if (effect.markerBox == markerSite.box && effect.blockBox == blockSite.box) {
                    surviving = effect.survivingLines;
                }
            }
            // The block's leading CR LF gives an empty first line, which the join
            // drops; what is left is exactly the surviving lines.
            EXPECT_EQ(WithoutMarkedLines(blockSite.block, markerSite.marker),
                      JoinedLines(lines, surviving));
        }
    }
}

TEST(SiteCatalogue, SharedBaiduQiyiLineAndTudouPatternLine) {
    const std::vector<std::string> qiyi = LinesOf(SiteForBox(7)->block);
    const std::vector<std::string> baidu = LinesOf(SiteForBox(13)->block);
    ASSERT_EQ(qiyi.size(), 2u);
    ASSERT_EQ(baidu.size(), 20u);
    EXPECT_EQ(qiyi[1], baidu[19]);
    const std::string shared = HostOf(baidu[19]);
    EXPECT_EQ(std::count(shared.begin(), shared.end(), '*'), 2) << shared;
    EXPECT_EQ(shared.find("baidu"), std::string::npos);
    EXPECT_EQ(shared.find("qiyi"), std::string::npos);

    const std::vector<std::string> tudou = LinesOf(SiteForBox(5)->block);
    ASSERT_EQ(tudou.size(), 11u);
    const std::string pattern = HostOf(tudou[4]);
    EXPECT_EQ(pattern.substr(0, 2), "*.") << pattern;
    EXPECT_EQ(pattern.back(), '*') << pattern;
    EXPECT_NE(pattern.find("tudou"), std::string::npos) << pattern;

    std::size_t total = 0;
    std::set<std::string> distinct;
    for (const SiteEntry& site : SiteCatalogue) {
        for (const std::string& line : LinesOf(site.block)) {
            ++total;
            distinct.insert(line);
        }
    }
    EXPECT_EQ(total, 99u);
    EXPECT_EQ(distinct.size(), 98u);
}

TEST(SiteCatalogue, LookUpByBoxAndWalkInBlockOrder) {
    for (int box = -1; box <= 20; ++box) {
        const SiteEntry* site = SiteForBox(box);
        if (box >= 2 && box <= 16) {
            ASSERT_NE(site, nullptr) << box;
            EXPECT_EQ(site->box, box);
        } else {
            EXPECT_EQ(site, nullptr) << box;
        }
    }

    const std::array<const SiteEntry*, 15>& ordered = SitesInBlockOrder();
    std::set<const SiteEntry*> visited;
    for (std::size_t i = 0; i < ordered.size(); ++i) {
        ASSERT_NE(ordered[i], nullptr);
        EXPECT_EQ(ordered[i]->blockOrder, static_cast<int>(i + 1)) << ordered[i]->caption;
        EXPECT_EQ(ordered[i], SiteForBox(ordered[i]->box));
        visited.insert(ordered[i]);
    }
    EXPECT_EQ(visited.size(), SiteCatalogue.size());
}

}  // namespace
