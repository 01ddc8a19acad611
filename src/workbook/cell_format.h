#pragma once
// A change of a cell's format asked for by the program: font size and weight, fill colour,
// hatching, edges and the text number format. Unset members keep the cell's own format.
#include <cstdint>
#include <string>

// Line styles of an edge (the values of LineStyle: 1 continuous, -4142 none).
namespace LineStyle {
inline constexpr int Continuous = 1;
inline constexpr int None = -4142;
}

// The edges of Range.Borders(index).
namespace BorderIndex {
inline constexpr int EdgeLeft = 7;
inline constexpr int EdgeTop = 8;
inline constexpr int EdgeBottom = 9;
inline constexpr int EdgeRight = 10;
inline constexpr int InsideVertical = 11;
inline constexpr int InsideHorizontal = 12;
}

enum class Hatching : int8_t { Keep = 0, Light = 1, Dark = 2 };

struct CellFormat {
    enum Edge { Left = 0, Top = 1, Bottom = 2, Right = 3 };
    enum EdgeStyle : int8_t { Unchanged = 0, Thin = 1, NoLine = 2 };

    double fontSize = 0;          // 0 keeps
    int8_t bold = -1;             // -1 keeps
    int64_t fillColour = -1;      // Windows colour (red + 256 × green + 65536 × blue); -1 keeps
    Hatching hatching = Hatching::Keep;
    int8_t edges[4] = {Unchanged, Unchanged, Unchanged, Unchanged};
    bool textNumberFormat = false;
    std::string numberFormat;     // a format code such as "0.0"; empty keeps

    bool empty() const;
    // Combines: members set in `later` win.
    void merge(const CellFormat& later);
    std::string key() const;
};
