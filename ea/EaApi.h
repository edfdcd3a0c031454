#pragma once
// Export macro of the EA library: everything the library offers to programs
// is marked with OVLIB_EA_API; all other symbols stay hidden.

#define OVLIB_EA_API __attribute__((visibility("default")))
