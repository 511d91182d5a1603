#pragma once

// The working copy of the hosts file and the two edits made to it.

#include <string>
#include <string_view>

// Exact bytes of the hosts file as loaded, then as edited; never holds a NUL.
extern std::string HostsText;

// Appends block (it starts with CR LF) after the last byte of HostsText.
void AppendBlock(std::string_view block);

// Drops every line of the program's own form ("127.0.0.1 " first) that holds
// marker, and joins the kept lines with CR LF.
void RemoveMarkedLines(std::string_view marker);

// The same edit on any text, returning the result.
std::string WithoutMarkedLines(std::string_view text, std::string_view marker);
