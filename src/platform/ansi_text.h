// Text in the program's ANSI code page and in Unicode. The server's dialogs, replies and INI reads
// are ANSI; the file system stores names in Unicode, so a name the code page lacks turns into "?"
// or a look-alike on the way ("日本語.dat" -> "???.dat", "ā.dat" -> "a.dat").
#pragma once

#include <string>

// The text in the ANSI code page, characters it lacks as the platform converts them.
std::string ToAnsi(const std::wstring& text);
std::wstring FromAnsi(const std::string& text);
// True when `text` comes back unchanged from the ANSI code page.
bool SurvivesAnsi(const std::wstring& text);
