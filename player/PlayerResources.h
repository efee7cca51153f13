#pragma once
// Resource ids of the player stub (shared by Player.rc and the code).

#define IDI_PLAYER 1
