#pragma once
// The Fossils Browser view: the grid of the best spiders of sampled
// generations and the panel with its Back button.

void buildFossilPanel();
void handleFossilPanel();
void drawFossils();
