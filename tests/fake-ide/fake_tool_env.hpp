// The environment variables that tell the stand-in tool (fake_tool.cpp) what to do, read by it
// and set by the tests that run it. Unset or empty, each does nothing.
#pragma once

namespace kestrune::fake_ide::variable {

// A file the stand-in appends one record of its run to: its file name, its full command line,
// its current directory and the variables named by `env`, one per line (as MSBuild.exe also
// what MSBuild would read from its command line, msbuild_report.hpp), then a line "--".
inline constexpr const wchar_t* log = L"KESTRUNE_FAKE_LOG";
// The names of the variables the record shows, separated by ";".
inline constexpr const wchar_t* env = L"KESTRUNE_FAKE_ENV";
// The code it exits with, the full 32-bit range in decimal; 0 when unset.
inline constexpr const wchar_t* exit = L"KESTRUNE_FAKE_EXIT";

// As bds.exe: a file it copies into the file given by its -o"..." argument, as its build log.
inline constexpr const wchar_t* bds_log = L"KESTRUNE_FAKE_BDS_LOG";
// As bds.exe: it deletes the file given by -o"..." instead.
inline constexpr const wchar_t* bds_drop_log = L"KESTRUNE_FAKE_BDS_DROP_LOG";
// As bds.exe: it leaves a file named like its project with ".local" added, as the IDE does.
inline constexpr const wchar_t* bds_local = L"KESTRUNE_FAKE_BDS_LOCAL";

// As a Delphi compiler (DCC*) given a package source (.dpk) and a -LE folder, it leaves the
// package there when it exits with 0, as a compile that succeeded does: under this name when
// set (set but empty, it leaves none), else after the source's stem.
inline constexpr const wchar_t* bpl = L"KESTRUNE_FAKE_BPL";

// A file it creates before it waits, as a long build would, until Ctrl+C or Ctrl+Break reaches
// it; it then says "<name> interrupted" instead of "<name> ran". The file goes when the process
// ends, however it ends.
inline constexpr const wchar_t* wait = L"KESTRUNE_FAKE_WAIT";
// How long every wait lasts at most, in milliseconds; a minute when unset.
inline constexpr const wchar_t* wait_ms = L"KESTRUNE_FAKE_WAIT_MS";
// Set, it ignores Ctrl+C while it waits, as a program that does not see the console would.
inline constexpr const wchar_t* ignore_ctrl_c = L"KESTRUNE_FAKE_IGNORE_CTRL_C";
// A copy of the stand-in it starts first, which waits in the same way, announced by the `wait`
// file's name with ".child" added, as the tools that start programs of their own do.
inline constexpr const wchar_t* spawn = L"KESTRUNE_FAKE_SPAWN";
// A file that a copy of itself, which it starts and does not wait for, announces itself by while
// that copy waits, as a tool that leaves a server for later runs does.
inline constexpr const wchar_t* leave_running = L"KESTRUNE_FAKE_LEAVE_RUNNING";

}  // namespace kestrune::fake_ide::variable
