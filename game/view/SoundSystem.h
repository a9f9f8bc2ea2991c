#pragma once
// Start-up of the sound devices for the program.
#include <filesystem>

namespace game {

// Installs the mixer's machine: the wave output chosen by WAVEMIX_OUTPUT (ALSA by default,
// falling back to the silent device), the Qt message loop, the system clock and
// "WAVEMIX.INI". Call once on the GUI thread after the application object exists and
// before the form is made. Never throws: when the devices cannot be set up it returns
// false and the game runs silently (the form's mixer then fails to start, quietly).
// shippedIni: the game's own WAVEMIX.INI, read only when the user has none of their own.
bool startSound(const std::filesystem::path& shippedIni = {});

// The mixer settings file to read: the user's own (see platform::locateWaveMixIni) when
// there is one, else shippedIni when it exists, else none (every default).
std::filesystem::path mixerSettingsFile(const std::filesystem::path& shippedIni);

}  // namespace game
