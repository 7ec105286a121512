#pragma once

#include <optional>
#include <string>
#include <vector>

#include "edit/session/ClipboardState.h"

namespace sigmora::edit {

class Session;

inline constexpr const char* kClockPartialCopy =
    "A clock cannot be partially copied. Try selecting the entire clock signal, and then copy it.";
inline constexpr const char* kSeparatorPartialCopy =
    "A separator cannot be partially copied. Try selecting the entire separator signal, and then copy it.";
inline constexpr const char* kIllegalCopy = "Illegal copy";
inline constexpr const char* kSignalTypeMismatch =
    "The information cannot be pasted because the copied cell does not have the same 'signal type'.  Try:\n\n1) "
    "to paste a signal onto a signal, and/or\n\n2) a bus onto a bus";
inline constexpr const char* kPasteSizeMismatch =
    "The information cannot be pasted because the Copy area and the paste area are not the same size.   Try one of "
    "the following\n\n1)  Select a rectangle that's the same size, and then paste.\n2)  Click a single cell, and "
    "then paste";
inline constexpr const char* kInsertSizeMismatch =
    "The information cannot be inserted because the Copy area and the insert area are not the same size.   Try one "
    "of the following\n\n1)  Select a rectangle that's the same size, and then insert.\n2)  Click a single cell, and "
    "then insert";
inline constexpr const char* kIllegalPaste = "Illegal paste";
inline constexpr const char* kIllegalInsert = "Illegal insert";

// The buffer entry markers.
inline constexpr const char* kBlockMarker = "partialcopy.";
inline constexpr const char* kSignalMarker = "sig.";
inline constexpr const char* kTextMarker = "qortext123.";
inline constexpr const char* kArrowMarker = "qorarrow123.";
inline constexpr const char* kAttachedTextMarker = "qorflood123.";

// The highlighted block in diagram rows and absolute columns, when a cell rectangle exists.
struct CellBlock {
    int firstRow = 0;
    int rows = 0;
    int firstColumn = 0;
    int columns = 0;
};
std::optional<CellBlock> highlightedBlock(const Session& session);

void copySelection(Session& session);
// Cut of a signal selection: the highlighted cells are copied (unless the Delete command asks
// for removal only) and removed, the rows padded with their last value; without a highlighted
// block the selected signal is deleted instead.
void cutCells(Session& session);
// The Delete command on a cell rectangle: the cells go without being copied. False when the
// rectangle covered no cells and was ended instead; the caller takes the undo snapshot.
bool removeCells(Session& session);
void pasteBuffer(Session& session);
// The context menu's "Insert Copied Cells": insert the copied block, or shift right when the
// buffer holds no block.
void insertCopiedCells(Session& session);
// Ctrl+I and Insert: the highlighted cells move one column right, the cell before them widens.
void shiftRight(Session& session);
// Esc: a copied block is dropped from the buffer.
void dropCellCopy(Session& session);

} // namespace sigmora::edit
