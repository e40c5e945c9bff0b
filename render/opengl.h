// The system's OpenGL 1.x header, wherever the system keeps it, with what Windows
// needs included before it.
#pragma once

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#endif
#if defined(__APPLE__)
#define GL_SILENCE_DEPRECATION // fixed-function GL is all the game draws with
#include <OpenGL/gl.h>
#else
#include <GL/gl.h>
#endif
