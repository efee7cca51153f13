#pragma once
// Included before everything else in the player stub's files (the build
// passes it with -include). The stub ends the program on every failure the
// C++ library reports (PlayerSupport.cpp) and never shows the library's own
// message, yet each file would carry its own copy of those texts ("basic_
// string::_M_create" and a dozen more): the library's translation hook for
// them gives the empty text instead (which the build allows as a format).
#include <bits/c++config.h>

#undef __N
#define __N(msgid) ("")
