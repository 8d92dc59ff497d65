#pragma once

// The style word of a status pane and the small rules built on it. Plain integers only,
// so that the rules build and test without Windows.

#include <cstdint>

// DrawText format flags of a text pane; bitmap panes read DT_CENTER, DT_RIGHT,
// DT_VCENTER and DT_BOTTOM of them as alignment.
constexpr std::uint32_t SPS_FORMAT_MASK = 0x000FFFFF;
// What the pane shows. Both text kinds draw the same way.
constexpr std::uint32_t SPS_KIND_MASK = 0x00F00000;
constexpr std::uint32_t SPS_TEXT = 0x00100000;
constexpr std::uint32_t SPS_TEXT_ALT = 0x00200000;
constexpr std::uint32_t SPS_BITMAP = 0x00400000;
// Content moves one pixel left (up) per repaint.
constexpr std::uint32_t SPS_HSCROLL = 0x01000000;
constexpr std::uint32_t SPS_VSCROLL = 0x02000000;
// Any of these bits keeps the animation timer running; only the two above move content.
constexpr std::uint32_t SPS_MOTION_MASK = 0x0F000000;
constexpr std::uint32_t SPS_TILE = 0x10000000;
// Stretches a bitmap over the pane, unless it is tiled or moving.
constexpr std::uint32_t SPS_STRETCH = 0x20000000;

enum class PaneKind { None, Text, Bitmap };

constexpr PaneKind GetPaneKind(std::uint32_t style)
{
    switch (style & SPS_KIND_MASK) {
    case SPS_TEXT:
    case SPS_TEXT_ALT:
        return PaneKind::Text;
    case SPS_BITMAP:
        return PaneKind::Bitmap;
    default:
        return PaneKind::None;
    }
}

constexpr bool IsPaneAnimated(std::uint32_t style)
{
    return (style & SPS_MOTION_MASK) != 0;
}

// Format flags for a text pane. Moving text is always left-aligned: DT_CENTER (1) and
// DT_RIGHT (2) are dropped while it scrolls horizontally.
constexpr std::uint32_t GetTextFormat(std::uint32_t style)
{
    std::uint32_t format = style & SPS_FORMAT_MASK;
    return (style & SPS_HSCROLL) != 0 ? format & ~std::uint32_t{3} : format;
}

// A 0x00BBGGRR colour with each channel halved (the odd bit dropped).
constexpr std::uint32_t HalveColor(std::uint32_t color)
{
    return (color >> 1) & 0x007F7F7F;
}

// One motion step: the offset grows by one pixel and starts again at `restart` once it
// has passed `extent` (the content's size).
constexpr int NextScrollOffset(int offset, int extent, int restart)
{
    return offset + 1 > extent ? restart : offset + 1;
}
