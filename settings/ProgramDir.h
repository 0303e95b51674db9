#pragma once

#include <string>

// The program folder: the current folder at start-up with a trailing "/". It holds "soft.dat",
// "下载器扩展设置.ini" and the thumbnail folder; the window stores it in JobContext::programDir once.
std::u16string ProgramDirectory();
