// Placeholder until the OpenAL sound manager lands: every play is silent.
#include "sound/soundman.h"

bool InitSound(HWND, const std::string&) { return false; }
void ShutdownSound() {}
SoundBuffer* PlaySound(int, bool) { return nullptr; }
void StopSound(SoundBuffer*) {}
void StopLoopingSounds() {}
