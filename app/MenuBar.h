#pragma once
// The menu bar: File, Simulate, View and Help.

void buildMenuBar();
