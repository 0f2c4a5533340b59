#pragma once

// The program's own artwork, drawn by data/draw_artwork.cpp: PNG bytes.

#include <cstdint>
#include <span>

namespace fernwick::desktop {

std::span<const std::uint8_t> program_icon();
std::span<const std::uint8_t> fern();
std::span<const std::uint8_t> link_video();
std::span<const std::uint8_t> link_group();
std::span<const std::uint8_t> link_microblog();
std::span<const std::uint8_t> link_chat();

} // namespace fernwick::desktop
