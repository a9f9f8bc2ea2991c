#pragma once
// Start-up of the sound devices for the program.
namespace game {

// Installs the mixer's machine: the wave output chosen by WAVEMIX_OUTPUT (ALSA by default,
// falling back to the silent device), the Qt message loop, the system clock and
// "WAVEMIX.INI". Call once on the GUI thread after the application object exists and
// before the form is made. Never throws: when the devices cannot be set up it returns
// false and the game runs silently (the form's mixer then fails to start, quietly).
bool startSound();

}  // namespace game
