#pragma once

// Tells screen readers which tab of a tab bar is the one shown.  Qt's own
// description of a tab bar (as of Qt 6.4) marks the current tab focused
// instead of selected, so a screen reader announces no tab as chosen, and
// it lists the bar's hidden scroll buttons as if they were tabs' siblings.
// Once installed, every tab bar is described as a page tab list whose tabs
// are selectable, the current one selected (and focused only while the bar
// has the keyboard focus); pressing a tab's action shows it.

// Installs the description for every tab bar of the program; calling it
// again does nothing.
void InstallAccessibleTabBars();
