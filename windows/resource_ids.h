#pragma once

// Resource ids shared by the resource script and the code.
#define IDI_PROGRAM 1
#define IDR_SONG_FACE 101
#define IDR_KAI_FACE 102
