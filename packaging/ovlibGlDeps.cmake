find_dependency(OpenGL)
find_dependency(GLUT)
find_dependency(Freetype)
