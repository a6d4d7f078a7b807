// A rectangular grid of integer cells, indexed by column, then row.
#pragma once

#include <cstdint>
#include <vector>

// The side of one cell on the board, in pixels.
constexpr int cellSize = 16;

// A position in pixels moved back to the start of the cell it lies in.
inline int snappedToCell(int pixels) { return pixels - pixels % cellSize; }

class Map {
public:
    Map(int width, int height, std::int32_t emptyValue = -1);
    virtual ~Map() = default;

    int width() const { return static_cast<int>(cells_.size()); }
    int height() const { return cells_.empty() ? 0 : static_cast<int>(cells_[0].size()); }
    std::int32_t emptyValue() const { return emptyValue_; }

    std::int32_t cell(int column, int row) const { return cells_[column][row]; }
    void setCell(int column, int row, std::int32_t value) { cells_[column][row] = value; }
    bool isEmpty(int column, int row) const { return cell(column, row) == emptyValue_; }

    // Every cell takes the value; the size stays.
    void fill(std::int32_t value);

    using Cells = std::vector<std::vector<std::int32_t>>;
    const Cells& cells() const { return cells_; }

protected:
    void setCells(const Cells& cells) { cells_ = cells; }

private:
    std::int32_t emptyValue_;
    Cells cells_;
};
