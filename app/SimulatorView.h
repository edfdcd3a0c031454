#pragma once
// The Simulator view: the population as a grid of webs with gene charts,
// prey and captions, the information band and the control panel.

void drawSimulator();
