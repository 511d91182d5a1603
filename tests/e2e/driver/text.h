#pragma once

// Text helpers: the scripts and the output are UTF-8, Windows works in UTF-16.

#include <string>
#include <vector>

std::wstring WideFromUtf8(const std::string& utf8);
std::string Utf8FromWide(const std::wstring& wide);

// Writes UTF-8 to standard output as it is, so a pipe gets the bytes unchanged.
void Print(const std::wstring& line);

// Turns \r, \n, \t and \\ into the characters they name.
std::wstring Unescape(const std::wstring& text);
// The opposite, for showing texts with line breaks on one line.
std::wstring Escape(const std::wstring& text);

std::wstring Trim(const std::wstring& text);
std::vector<std::wstring> SplitAt(const std::wstring& text, wchar_t separator);

std::wstring Hex(unsigned long value);
