#pragma once

// The fifteen sites, their blocks of hosts lines and the markers that find those
// lines again.

#include <array>

struct SiteEntry {
    int box;              // number of its check box: 2 for 选择框2
    const char* caption;  // UTF-8
    const char* block;    // "\r\n" + lines "127.0.0.1 <host>" joined by "\r\n"
    const char* marker;
    int blockOrder;  // 1..15, the block procedure's walk
};

// Ordered by box number.
extern const std::array<SiteEntry, 15> SiteCatalogue;

// nullptr when no site has that box.
const SiteEntry* SiteForBox(int box);

// The entries ordered by blockOrder.
const std::array<const SiteEntry*, 15>& SitesInBlockOrder();
