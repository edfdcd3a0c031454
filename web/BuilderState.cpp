#include "web/BuilderState.h"

BuilderState builder;
int32_t silkLimit = -1;
