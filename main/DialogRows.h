#pragma once
// What the device image and the project file need of the main window's twelve rows;
// the main window answers for its rows, tests for theirs.

#include "rows/RowModel.h"

namespace tessivo {

class DialogRows {
public:
    static constexpr int kRows = 12;
    virtual ~DialogRows() = default;
    virtual bool isRowEnabled(int k) const = 0;
    virtual const RowModel &row(int k) const = 0;
    virtual int openingEffect(int k) const = 0;  // 0-6, the opening list's selection
    virtual int middleEffect(int k) const = 0;   // 0-3, the middle list's selection
    virtual int closingEffect(int k) const = 0;  // 0-6, the closing list's selection
};

} // namespace tessivo
