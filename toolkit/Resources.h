// Resources compiled into the program (pictures, icons) are registered at start;
// a library of the program names its resource file here by its base name.
#pragma once

#define TK_INIT_RESOURCES(name)             \
  do {                                      \
    extern int qInitResources_##name();     \
    qInitResources_##name();                \
  } while (false)
