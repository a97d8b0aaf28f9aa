// Marks a global that must be built before the application object: static objects in different
// files are otherwise built in no fixed order, and the application object copies these.
#pragma once

#if defined(_MSC_VER)
// With MSVC the whole file's globals go into the library initialisation group.
#define EARLY_INIT
#define EARLY_INIT_FILE __pragma(warning(suppress : 4073)) __pragma(init_seg(lib))
#else
#define EARLY_INIT __attribute__((init_priority(200)))
#define EARLY_INIT_FILE
#endif
