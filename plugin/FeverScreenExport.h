#pragma once

// Only the plug-in class leaves the shared library; everything else stays hidden.
#if defined(_WIN32)
#if defined(FEVERSCREEN_LIBRARY)
#define FEVERSCREEN_EXPORT __declspec(dllexport)
#else
#define FEVERSCREEN_EXPORT __declspec(dllimport)
#endif
#else
#define FEVERSCREEN_EXPORT __attribute__((visibility("default")))
#endif
