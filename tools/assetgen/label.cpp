// Hand-drawn serif capitals for the frame's captions. Each glyph is 12 px
// tall: thick 2 px stems, 1 px hairlines and bracketed serifs. '#' is full
// ink, '+' is half ink (smooths diagonals and serif brackets), '.' is paper.
#include <cstring>
#include <stdexcept>

#include "assetgen.h"

namespace assetgen {
namespace {

constexpr int kGlyphHeight = 12;
constexpr int kLetterSpacing = 2;
constexpr int kHalfInk = 128;  // of 256

struct Glyph {
    char letter;
    const char* rows[kGlyphHeight];
};

constexpr Glyph kGlyphs[] = {
    {'N', {"###....###",
           ".##+....#.",
           ".###....#.",
           ".#+##...#.",
           ".#.##+..#.",
           ".#..##..#.",
           ".#..+##.#.",
           ".#...##+#.",
           ".#....###.",
           ".#....+##.",
           ".#.....##.",
           "###.....#."}},
    {'E', {"#########",
           ".##....+#",
           ".##.....+",
           ".##......",
           ".##...+..",
           ".######..",
           ".##...+..",
           ".##......",
           ".##.....+",
           ".##....+#",
           ".##....##",
           "#########"}},
    {'X', {"####..####",
           ".+##...#+.",
           "..##..+#..",
           "...##.#...",
           "...+###...",
           "....##....",
           "....###...",
           "...#.##+..",
           "..+#..##..",
           "..#...##+.",
           ".+#....##.",
           "####..####"}},
    {'T', {"##########",
           "#+..##..+#",
           "+...##...+",
           "....##....",
           "....##....",
           "....##....",
           "....##....",
           "....##....",
           "....##....",
           "....##....",
           "...+##+...",
           "..######.."}},
};

const Glyph* findGlyph(char letter) {
    for (const Glyph& g : kGlyphs)
        if (g.letter == letter) return &g;
    return nullptr;
}

int glyphWidth(const Glyph& g) { return int(std::strlen(g.rows[0])); }

Rgb mixInk(Rgb paper, Rgb ink, int amount) {
    auto mix = [amount](int p, int i) { return std::uint8_t(p + (i - p) * amount / 256); };
    return {mix(paper.r, ink.r), mix(paper.g, ink.g), mix(paper.b, ink.b)};
}

}  // namespace

void drawLabel(Image& image, const std::string& text, int centreX, int baselineY, Rgb ink) {
    int totalWidth = -kLetterSpacing;
    for (char c : text) {
        const Glyph* g = findGlyph(c);
        if (!g) throw std::invalid_argument(std::string("no glyph for letter ") + c);
        for (const char* row : g->rows)  // a ragged row would draw garbage
            if (int(std::strlen(row)) != glyphWidth(*g))
                throw std::logic_error(std::string("ragged glyph for letter ") + c);
        totalWidth += glyphWidth(*g) + kLetterSpacing;
    }

    int penX = centreX - totalWidth / 2;
    const int top = baselineY - kGlyphHeight + 1;  // the baseline is the glyph's bottom row
    for (char c : text) {
        const Glyph& g = *findGlyph(c);
        for (int row = 0; row < kGlyphHeight; ++row) {
            for (int col = 0; col < glyphWidth(g); ++col) {
                const char cell = g.rows[row][col];
                if (cell == '.') continue;
                Rgb& px = image.at(penX + col, top + row);
                px = cell == '#' ? ink : mixInk(px, ink, kHalfInk);
            }
        }
        penX += glyphWidth(g) + kLetterSpacing;
    }
}

}  // namespace assetgen
