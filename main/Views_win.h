#pragma once
// The views of the main window: their containers and controls, which one is shown, their
// refreshes, and the image buttons and banner that follow the current view.

// Creates every view's container (hidden) with its check boxes in the main window, and the process
// list; the other views' lists and panels are made by MakeViewControls when first needed.
void CreateViews();
// Makes a view's lists and panels unless they exist: before anything reads or shows them.
void MakeViewControls(int view);
// Places the containers in the band between the banner and the status strip and lays out their
// controls.
void LayoutViews(int top, int width, int height);
// Sets the views' check boxes from the preferences, once they are loaded.
void ShowPreferencesInViews();

// Shows one view and hides the others, refreshing it first when asked.
void SwitchView(int view, bool refreshNow);
// Refreshes a view's list now, as the refresh command does.
void RefreshView(int view);
// The list timer's work: the process list, and the current view's list where it follows the
// system by itself.
void RefreshListsOnTimer();
// The graph timer's work: the current view's graphs move on one step.
void StepViewGraphs();
// The figures timer's work in the view that shows the system figures.
void ShowViewFigures();
// Enables the image buttons that fit the current view and its selection.
void UpdateButtons();
