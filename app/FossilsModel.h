#pragma once
// The Fossils Browser's list: the best recorded spider of each sampled
// generation, rebuilt with its complete web, and their places in the grid.

struct EvolutionState;

// Chooses the sampling step from the record of `state`, then restores the
// best spider of every sampled generation into fossilSpiders and rebuilds
// its web.
void buildFossilList(EvolutionState& state);

// The step, the list and the grid: shape, cell size, offsets and every
// fossil's place in its cell.
void layoutFossils();
