#ifndef OVLIB_GL_LGLPROJECTION_H
#define OVLIB_GL_LGLPROJECTION_H

// Internal to the toolkit: a projection of window pixels with y growing
// downwards from the top edge, on top of whatever matrices are current.

// Pushes and resets both matrices and sets the orthographic projection
// (0, width, height, 0, -1, 1) of the current GLUT window, whose size is
// handed back.
void pushWindowProjection(int& width, int& height);
// Pops both matrices again, leaving the model-view matrix current.
void popWindowProjection();

#endif
