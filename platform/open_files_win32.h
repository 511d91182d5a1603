#pragma once

// The process-wide list of files opened with OpenForReading.

void CloseEveryListedFile();
