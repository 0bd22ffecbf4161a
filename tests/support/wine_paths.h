// Paths as the Windows programs of the test bench and the benchmark see them.
#pragma once
#include <string>

// A path given by CTest or a script: a path of the machine Wine runs on
// ("/work/...") becomes its Z: drive path; a Windows path stays as it is.
std::wstring WindowsPathOf(const char *path);

// The file `name` in the system directory.
std::wstring SystemFilePath(const std::wstring &name);
