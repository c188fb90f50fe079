// The glyphs makefont draws by hand rather than take from the font's hinter.
#pragma once

// A drawing's stroke area: columns 1..6 and rows 3..14 of a design cell.
inline constexpr int kDrawnColumns = 6;
inline constexpr int kDrawnRows = 12;

// The drawn glyphs, side by side: each code's kDrawnColumns texels of
// every stroke row (columns 1..6, rows 3..14 of its cell), '#' a stroke,
// '>' a stroke over the texel's right three quarters and '<' over its left
// three quarters (the rest outline). m's middle stem straddles two columns so:
// at 20 pixels a cell's ten pixels sample its eight columns 0.8 apart, and a
// stem on one column at the cell's side smears over two pixels, so with the
// middle stem on a whole column beside it one of its gaps stayed grey and the
// m showed two stems; centred, it parts from both outer stems at 18 and 20
// pixels alike.
// At 7 x 11 pixels the hinter runs the strokes of these together or draws
// them poorly; its hyphen is two texels, which read as a full stop, so the
// hyphen here is as wide as the bars of '=' and a row of them a dashed rule. At 18 pixels linear
// filtering smears the cell's two middle columns into each other, so the drawings put a two-texel
// stroke or a two-texel gap there, except where three strokes must fit in five columns (w, M, W,
// *): those part by a sixth of full scale, and m's by a third (see fontcheck).
struct DrawnSheet {
  const char* codes;
  const char* rows[kDrawnRows];
};
// clang-format off
inline constexpr DrawnSheet kDrawn[] = {
    {"#$%&*-0@",
     {"...... ..#... ...... ...... ...... ...... ...... ......",
      ".#..#. .##### ##.... .##... #.#.#. ...... ..##.. .####.",
      "###### #.#... ##...# #..#.. .###.. ...... .#..#. #....#",
      ".#..#. #.#... ....#. #..#.. #.#.#. ...... .#..#. #.##.#",
      ".#..#. .####. ...#.. .##... ...... ...... .#.##. #.##.#",
      ".#..#. ..#..# ..#... #.#..# ...... .####. .##.#. #.####",
      "###### ..#..# .#.... #..##. ...... ...... .#..#. #.....",
      ".#..#. #####. #...## #..##. ...... ...... .#..#. .####.",
      ".#..#. ..#... ....## .##..# ...... ...... ..##.. ......",
      "...... ...... ...... ...... ...... ...... ...... ......",
      "...... ...... ...... ...... ...... ...... ...... ......",
      "...... ...... ...... ...... ...... ...... ...... ......"}},
    {"AKMVWXY^",
     {"...... ...... ...... ...... ...... ...... ...... ......",
      "..##.. .#..#. #...#. #....# #...#. #....# #....# ..##..",
      ".#..#. .#.#.. ##.##. #....# #...#. .#..#. #....# .#..#.",
      ".#..#. .#.#.. #.#.#. #....# #...#. .#..#. .#..#. ......",
      ".#..#. .##... #.#.#. .#..#. #.#.#. ..##.. ..##.. ......",
      ".####. .##... #.#.#. .#..#. #.#.#. ..##.. ..##.. ......",
      ".#..#. .#.#.. #...#. .#..#. #.#.#. .#..#. ..##.. ......",
      ".#..#. .#.#.. #...#. ..##.. #.#.#. .#..#. ..##.. ......",
      ".#..#. .#..#. #...#. ..##.. .#.#.. #....# ..##.. ......",
      "...... ...... ...... ...... ...... ...... ...... ......",
      "...... ...... ...... ...... ...... ...... ...... ......",
      "...... ...... ...... ...... ...... ...... ...... ......"}},
    {"kmvwxy",
     {".#.... ...... ...... ...... ...... ......",
      ".#.... ...... ...... ...... ...... ......",
      ".#.... ...... ...... ...... ...... ......",
      ".#..#. #####. #....# #...#. #....# .#..#.",
      ".#.#.. #.><.# #....# #...#. .#..#. .#..#.",
      ".##... #.><.# .#..#. #.#.#. ..##.. .#..#.",
      ".#.#.. #.><.# .#..#. #.#.#. ..##.. .#..#.",
      ".#..#. #.><.# ..##.. #.#.#. .#..#. .#..#.",
      ".#..#. #.><.# ..##.. .#.#.. #....# ..###.",
      "...... ...... ...... ...... ...... ....#.",
      "...... ...... ...... ...... ...... .###..",
      "...... ...... ...... ...... ...... ......"}},
};
// clang-format on
