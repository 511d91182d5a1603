#pragma once

// What runs once the main window and its controls exist, before it is shown.
void OnMainWindowCreated();
