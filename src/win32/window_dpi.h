#pragma once

#include <windows.h>

namespace cdr::win32 {

// The per-monitor DPI services of Windows 10 (GetDpiForWindow, GetSystemMetricsForDpi, SystemParametersInfoForDpi),
// looked up when first needed: Windows 7 and 8 lack them, and there each answer is the system DPI's, scaled to the DPI
// asked for.

// The DPI of the monitor the window is on; the system's DPI where Windows cannot tell.
int windowDpi(HWND window);

// GetSystemMetrics at the given DPI.
int systemMetric(int index, int dpi);

// The system's message font, sized for the given DPI.
LOGFONTW messageFont(int dpi);

}  // namespace cdr::win32
