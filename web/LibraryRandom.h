#pragma once
// Saving and restoring the place of the C library's rand(), which breeding
// draws its rivals and partners from: every evaluation leaves it as its last
// build would (leaveLibraryRandomAsAfterBuild in web/BuildRandom.h), so that
// place is the number of draws of that build.

// The draws of the build rand() was last put after, or -1 when it was never
// put anywhere (as the program starts, as srand(1) leaves it).
int libraryRandomDrawsAfterBuild();
// Puts rand() back where libraryRandomDrawsAfterBuild said it was.
void restoreLibraryRandom(int drawsAfterBuild);
