#pragma once

namespace fernwick::desktop {

// The program from start-up to shutdown: the state, the main window and the
// message loop; at the end the download workers are stopped and joined
// before the state is released. Returns 0.
int run_program(int& argc, char** argv);

// The font every window uses: a CJK face that Debian's fonts-noto-cjk installs.
inline constexpr const char* kFontFamily = "Noto Sans CJK SC";
inline constexpr int kFontPointSize = 9;

} // namespace fernwick::desktop
