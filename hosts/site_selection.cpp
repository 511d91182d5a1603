#include "hosts/site_selection.h"

#include "hosts/hosts_text.h"

namespace {

SiteBoxes boundBoxes{};

void SetChecked(int box, bool checked) {
    if (boundBoxes.setChecked != nullptr) {
        boundBoxes.setChecked(box, checked);
    }
}

void SetEverySiteBox(bool checked) {
    for (int box : kSiteBoxEnumerationOrder) {
        SetChecked(box, checked);
    }
}

}  // namespace

const std::array<int, 15> kSiteBoxEnumerationOrder = {16, 15, 14, 13, 12, 11, 10, 9,
                                                      8,  7,  6,  5,  4,  3,  2};

void BindSiteBoxes(const SiteBoxes& boxes) {
    boundBoxes = boxes;
}

bool IsSiteChecked(int box) {
    return boundBoxes.isChecked != nullptr && boundBoxes.isChecked(box);
}

void ToggleSite(const SiteEntry& site) {
    // The click arrives after the box has taken its new state.
    if (IsSiteChecked(site.box)) {
        AppendBlock(site.block);
    } else {
        RemoveMarkedLines(site.marker);
    }
}

void SelectAllSites() {
    SetEverySiteBox(true);
}

void ClearSites() {
    SetEverySiteBox(false);
}
