#pragma once
// The menu bar: File, Simulate, View and Help.

void buildMenuBar();
// Puts a check mark on each switch of the View menu that is on.
void showToggleStates();
