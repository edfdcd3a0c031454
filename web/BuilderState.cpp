#include "web/BuilderState.h"

#include <cstdio>

ARACHNOVIX_CONSTANT_INIT thread_local BuilderState builder;

void builderMessage(const char* line) {
    if (builder.messages)
        builder.messages->append(line);
    else
        std::fputs(line, stdout);
}
