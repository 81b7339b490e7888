// The drawing commands of rockpile-inspect, through the OpenGL device. Each
// takes the arguments after its command word and returns the exit status
// (0 drawn, 1 failed with the reason on `err`, 2 usage mistake).
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

// render LIB NAME OUT.png [--size WxH]: one mesh filling the view, lit and
// seen as in the games, or one picture as large as fits.
int RunRender(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
// sheet LIB OUT.png: every mesh (and its outline when the library has the
// outline shader) and every picture of the library, each with its name.
int RunSheet(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// "WxH" with both sides from 16 to 8192 pixels.
bool ParseFrameSize(const std::string& text, int& width, int& height);
