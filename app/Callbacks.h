#pragma once
// The keyboard, special-key and mouse callbacks: who sees an input event
// first, and which view changes it causes.

void keyboardCallback(unsigned char key, int x, int y);
void specialCallback(int key, int x, int y);
void mouseCallback(int button, int state, int x, int y);
