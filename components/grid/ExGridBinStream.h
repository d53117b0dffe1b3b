// The records of the string grid's binary cell stream (ExGridStream.cpp). A stream is a sequence of
// component records in the binary component-streaming form: "TPF0", the class name and an empty
// component name as short strings (a length byte, then the bytes), the properties (a short-string
// name, a tag byte and its payload; numbers little-endian) up to a 0 byte, and a 0 byte for the
// empty list of child components. The first record is the header read here; the cell records
// follow it.
#pragma once

#include "platform/rtl/Classes.h"
#include "platform/rtl/System.h"

// The header record of a binary cell stream ("TGridPropIO").
struct TGridStreamHeader {
  Integer ColCount = 0;
  Integer RowCount = 0;
  // The widths of the columns and the heights of the rows, as decimal numbers joined by ",".
  String ColWidths;
  String RowHeights;
  // The stream holds the whole grid.
  bool FullGrid = false;
  // The window handle of the grid that wrote the stream.
  Integer ID = 0;
};

// Reads the header record at the stream's position. A stream that holds no such record raises
// EReadError.
TGridStreamHeader ReadGridStreamHeader(TStream* Stream);
