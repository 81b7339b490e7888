// The mouse pointer over the game window.
#pragma once

void ShowPointer(bool visible);
