#include "app/main_window_created.h"

#include "hosts/hosts_file.h"
#include "hosts/site_selection.h"

void OnMainWindowCreated() {
    LoadHostsAtStart();
    SelectAllSites();
}
