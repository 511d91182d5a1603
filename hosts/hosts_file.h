#pragma once

// Where the hosts file lives and how it is taken at start.

#include <string>

#include "platform/platform.h"

std::string HostsPath();
std::string HostsBackupPath();

// Open on the hosts file from start until the block procedure lets it go, so
// nobody can delete or rename it meanwhile.
extern FileNumber HeldHostsFile;

// Holds the hosts file open and reads it into HostsText; ends the program with a
// message when that cannot be done safely.
void LoadHostsAtStart();
