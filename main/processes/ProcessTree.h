#pragma once
// The parent/child arrangement of the process list.

#include "main/RowTable.h"

// Orders the rows so that every process sits below its parent (pid in column 9, parent pid in
// column 10), depth first, with siblings in their previous top-to-bottom order. Roots (a row whose
// parent is itself or not listed) come first, in their previous order, at depth 0. The depth goes
// to column 29 and to the row's indent. Rows caught in a cycle of parent ids, and their
// descendants, stay at the bottom in their previous order, unindented.
void ArrangeProcessTree(RowTable& table);
// Takes every row back to depth 0, for the flat list.
void FlattenProcessTree(RowTable& table);
