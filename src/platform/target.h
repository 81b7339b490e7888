// What the build's target offers. A browser page has one window, its canvas,
// which the page scales to the browser's window; it has no local files to
// open, no program to leave and no display modes or adapters to choose.
#pragma once

#ifdef __EMSCRIPTEN__
inline constexpr bool kBrowserPage = true;
#else
inline constexpr bool kBrowserPage = false;
#endif
