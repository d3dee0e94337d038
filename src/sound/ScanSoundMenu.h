#pragma once

#include "ui/MainWindowParts.h"

// The menu item "扫描提示音" with the teacher's stored choice, and the player of the scan sounds
// that lie in the folder "sounds" beside the executable.
void installScanSounds(const ui::MainWindowParts &parts);
