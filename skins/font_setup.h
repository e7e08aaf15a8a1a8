// Makes the face names of the skins ("Tahoma", "宋体") resolve to installed fonts, without root.
#pragma once

#include <filesystem>

namespace pelrin::skins {

// The folder that holds the running executable (and skins/ and fonts.conf beside it);
// empty when it cannot be found.
std::filesystem::path ProgramFolder();

// Points fontconfig at `programFolder`/fonts.conf, which the build writes beside the programs:
// the system's configuration plus pelrin's aliases. Call it first thing in main(), before a
// QApplication or anything else touches fontconfig, which reads the variable once.
// A FONTCONFIG_FILE the user already set wins. Returns whether the variable now names our file.
bool UseBundledFontConfig(const std::filesystem::path& programFolder = ProgramFolder());

}  // namespace pelrin::skins
