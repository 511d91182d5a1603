#include "app/main_window_created.h"

#include "hosts/hosts_file.h"
#include "hosts/site_selection.h"
#include "skin/engine_file.h"
#include "skin/skin_setup.h"

void OnMainWindowCreated() {
    ApplySkin(kSkinInUse);
    EnsureSkinEngine();
    SkinH_SetAero(1);
    LoadHostsAtStart();
    SelectAllSites();
}
