#pragma once
// The monitor view (ViewMonitor): the CPU graph and the memory graph, each with its pause box, the
// per-processor bars and the CPU, RAM and swap figures.

#include <windows.h>

#include "main/processes/SystemFigures.h"

void CreateMonitorView(HWND view, HFONT font, int processorCount);
void LayoutMonitorView(int width, int height);
// The graph timer's step of the graphs whose pause box is clear.
void StepMonitorGraphs(const SystemFigures& figures);
// The figures timer's work while the view is shown: the figures' texts and the processor bars.
void ShowMonitorFigures(const SystemFigures& figures);
