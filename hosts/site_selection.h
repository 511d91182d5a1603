#pragma once

// Site check boxes and the two selection commands.

#include "site_catalogue.h"

// How the core reaches the check boxes; the window binds these to its controls.
// Setting a state never raises the box's click.
struct SiteBoxes {
    bool (*isChecked)(int box);
    void (*setChecked)(int box, bool checked);
};
void BindSiteBoxes(const SiteBoxes& boxes);
bool IsSiteChecked(int box);

// The window's order of its check boxes, which the selection commands walk.
extern const std::array<int, 15> kSiteBoxEnumerationOrder;

// Click of a site box: its new state decides between adding and removing its lines.
void ToggleSite(const SiteEntry& site);
// "全选": checks every site box without touching HostsText.
void SelectAllSites();
// "反选": unchecks every site box without touching HostsText.
void ClearSites();
