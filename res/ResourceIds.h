#pragma once
// Resource numbers of Vocara.exe, shared by the resource script and the code.

#define IDI_VOCARA 1
#define IDR_BANNER 101
// The study window's tool-bar icons (PNG), in the order of their image
// indexes: IDR_TOOLBAR_FIRST + index.
#define IDR_TOOLBAR_FIRST 201
#define IDR_TOOLBAR_COUNT 7
