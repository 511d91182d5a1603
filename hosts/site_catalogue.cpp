#include "hosts/site_catalogue.h"

#include <algorithm>

// Each block lists the site's advertising and statistics hosts. Unchecking a site
// removes only the lines holding its marker; its other lines stay.
const std::array<SiteEntry, 15> SiteCatalogue = {{
    {2, "优酷",
     "\r\n127.0.0.1 atm.youku.com"
     "\r\n127.0.0.1 fvid.atm.youku.com"
     "\r\n127.0.0.1 html.atm.youku.com"
     "\r\n127.0.0.1 valb.atm.youku.com"
     "\r\n127.0.0.1 valc.atm.youku.com"
     "\r\n127.0.0.1 valf.atm.youku.com"
     "\r\n127.0.0.1 valo.atm.youku.com"
     "\r\n127.0.0.1 valp.atm.youku.com"
     "\r\n127.0.0.1 vid.atm.youku.com"
     "\r\n127.0.0.1 walp.atm.youku.com"
     "\r\n127.0.0.1 lstat.youku.com"
     "\r\n127.0.0.1 speed.lstat.youku.com"
     "\r\n127.0.0.1 static.lstat.youku.com"
     "\r\n127.0.0.1 urchin.lstat.youku.com"
     "\r\n127.0.0.1 stat.youku.com",
     "youku", 1},
    {3, "天线视频",
     "\r\n127.0.0.1 casting.openv.com"
     "\r\n127.0.0.1 m.openv.tv"
     "\r\n127.0.0.1 uniclick.openv.com",
     "openv.", 13},
    {4, "酷6",
     "\r\n127.0.0.1 1.allyes.com.cn"
     "\r\n127.0.0.1 analytics.ku6.com"
     "\r\n127.0.0.1 gug.ku6cdn.com"
     "\r\n127.0.0.1 ku6.allyes.com"
     "\r\n127.0.0.1 ku6afp.allyes.com"
     "\r\n127.0.0.1 pq.stat.ku6.com"
     "\r\n127.0.0.1 st.vq.ku6.cn"
     "\r\n127.0.0.1 stat0.888.ku6.com"
     "\r\n127.0.0.1 stat1.888.ku6.com"
     "\r\n127.0.0.1 stat2.888.ku6.com"
     "\r\n127.0.0.1 stat3.888.ku6.com"
     "\r\n127.0.0.1 stat4.888.ku6.com"
     "\r\n127.0.0.1 stat5.888.ku6.com"
     "\r\n127.0.0.1 static.ku6.com"
     "\r\n127.0.0.1 v0.stat.ku6.com"
     "\r\n127.0.0.1 v1.stat.ku6.com",
     "ku6", 2},
    {5, "土豆",
     "\r\n127.0.0.1 adcontrol.tudou.com"
     "\r\n127.0.0.1 adplay.tudou.com"
     "\r\n127.0.0.1 iwstat.tudou.com"
     "\r\n127.0.0.1 nstat.tudou.com"
     "\r\n127.0.0.1 *.p2v.tudou.com*"
     "\r\n127.0.0.1 at-img1.tdimg.com"
     "\r\n127.0.0.1 at-img2.tdimg.com"
     "\r\n127.0.0.1 at-img3.tdimg.com"
     "\r\n127.0.0.1 stats.tudou.com"
     "\r\n127.0.0.1 adextensioncontrol.tudou.com"
     "\r\n127.0.0.1 ad.tudou.com",
     "tudou", 4},
    {6, "我乐网",
     "\r\n127.0.0.1 acs.56.com"
     "\r\n127.0.0.1 acs.agent.56.com"
     "\r\n127.0.0.1 acs.agent.v-56.com"
     "\r\n127.0.0.1 bill.agent.56.com"
     "\r\n127.0.0.1 bill.agent.v-56.com"
     "\r\n127.0.0.1 stat.56.com"
     "\r\n127.0.0.1 stat2.corp.56.com"
     "\r\n127.0.0.1 union.56.com"
     "\r\n127.0.0.1 v16.56.com"
     "\r\n127.0.0.1 v17.56.com",
     "56.", 10},
    // Its second line is Baidu's ad script host, also the last line of the "百度"
    // block; it holds neither marker, so no toggle removes it.
    {7, "奇艺",
     "\r\n127.0.0.1 afp.qiyi.com"
     "\r\n127.0.0.1 ec**.bdimg.com",
     "qiyi", 3},
    {8, "激动网",
     "\r\n127.0.0.1 ads.joy.cn"
     "\r\n127.0.0.1 log.joy.cn"
     "\r\n127.0.0.1 stat.joy.cn",
     "joy", 9},
    {9, "迅雷看看",
     "\r\n127.0.0.1 biz5.sandai.net"
     "\r\n127.0.0.1 float.sandai.net"
     "\r\n127.0.0.1 mcfg.sandai.net"
     "\r\n127.0.0.1 advstat.xunlei.com"
     "\r\n127.0.0.1 pubstat.sandai.net",
     "xunlei.", 14},
    {10, "CNTV",
     "\r\n127.0.0.1 cctv.adsunion.com"
     "\r\n127.0.0.1 a.cntv.cn"
     "\r\n127.0.0.1 a.cctv.com"
     "\r\n127.0.0.1 d.cntv.cn"
     "\r\n127.0.0.1 adguanggao.eee114.com"
     "\r\n127.0.0.1 ad.cctv.com",
     "cctv", 6},
    {11, "乐视", "\r\n127.0.0.1 ark.letv.com", "letv", 8},
    {12, "新浪视频", "\r\n127.0.0.1 sax.sina.com.cn", "sina.", 15},
    {13, "百度",
     "\r\n127.0.0.1 cpro.baidu.com"
     "\r\n127.0.0.1 cpro.baidustatic.com"
     "\r\n127.0.0.1 cbjs.baidu.com"
     "\r\n127.0.0.1 pos.baidu.com"
     "\r\n127.0.0.1 eclick.baidu.com"
     "\r\n127.0.0.1 nsclick.baidu.com"
     "\r\n127.0.0.1 hm.baidu.com"
     "\r\n127.0.0.1 hmma.baidu.com"
     "\r\n127.0.0.1 drmcmm.baidu.com"
     "\r\n127.0.0.1 ubmcmm.baidustatic.com"
     "\r\n127.0.0.1 dup.baidustatic.com"
     "\r\n127.0.0.1 union.baidu.com"
     "\r\n127.0.0.1 cb.baidu.com"
     "\r\n127.0.0.1 eiv.baidu.com"
     "\r\n127.0.0.1 duiwai.baidu.com"
     "\r\n127.0.0.1 spcode.baidu.com"
     "\r\n127.0.0.1 mobads.baidu.com"
     "\r\n127.0.0.1 mobads-logs.baidu.com"
     "\r\n127.0.0.1 wangmeng.baidu.com"
     "\r\n127.0.0.1 ec**.bdimg.com",
     "baidu", 7},
    {14, "搜狐高清", "\r\n127.0.0.1 pv.sohu.com", "sohu.", 12},
    {15, "PPTV", "\r\n127.0.0.1 de.as.pptv.com", "pptv", 11},
    // "6." also matches the "我乐网" hosts and most "酷6" hosts, so unchecking this
    // site takes those lines with it.
    {16, "6间房",
     "\r\n127.0.0.1 pole.6rooms.com"
     "\r\n127.0.0.1 shrek.6.cn"
     "\r\n127.0.0.1 simba.6.cn"
     "\r\n127.0.0.1 stat.6.cn",
     "6.", 5},
}};

const SiteEntry* SiteForBox(int box) {
    for (const SiteEntry& site : SiteCatalogue) {
        if (site.box == box) {
            return &site;
        }
    }
    return nullptr;
}

const std::array<const SiteEntry*, 15>& SitesInBlockOrder() {
    static const std::array<const SiteEntry*, 15> ordered = [] {
        std::array<const SiteEntry*, 15> sites{};
        std::transform(SiteCatalogue.begin(), SiteCatalogue.end(), sites.begin(),
                       [](const SiteEntry& site) { return &site; });
        std::sort(sites.begin(), sites.end(), [](const SiteEntry* a, const SiteEntry* b) {
            return a->blockOrder < b->blockOrder;
        });
        return sites;
    }();
    return ordered;
}
