#pragma once
// Resource numbers of Vocara.exe, shared by the resource script and the code.

#define IDI_VOCARA 1
#define IDR_BANNER 101
