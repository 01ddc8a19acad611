#pragma once
// Screen geometry is stated in twips, as the window layouts are drawn: 15 twips make one
// logical pixel. Pure arithmetic, usable without a widget.

inline constexpr int TwipsPerPixel = 15;

// Nearest whole pixel; halves round away from zero.
constexpr int twipsToPixels(int twips)
{
    return twips >= 0 ? (twips + TwipsPerPixel / 2) / TwipsPerPixel
                      : -((-twips + TwipsPerPixel / 2) / TwipsPerPixel);
}

constexpr int pixelsToTwips(int pixels) { return pixels * TwipsPerPixel; }

struct TwipsPosition {
    int left = 0;
    int top = 0;
    friend constexpr bool operator==(const TwipsPosition&, const TwipsPosition&) = default;
};

// Where a window of the given size sits when centred on a screen of the given size, all in
// whole twips: screen ÷ 2 − window ÷ 2 in each direction, each half an integer division. A
// window larger than the screen gets negative coordinates.
constexpr TwipsPosition centredPosition(int screenWidth, int screenHeight, int windowWidth, int windowHeight)
{
    return {screenWidth / 2 - windowWidth / 2, screenHeight / 2 - windowHeight / 2};
}
