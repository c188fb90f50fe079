// Vectorised evaluation of grid rows, one entry per instruction set. Each
// kernel gives the colours EvaluatePoint gives, to the last bit wherever the
// vector sine agrees with the C library's (it differs by a few units in the
// last place now and then).
#pragma once

#include <cstdint>

#include "sim/FieldReference.h"

// Where field evaluation writes grid rows of `columns` points each, row r
// from r * columns; exactly one of the outputs is set.
struct FieldRows {
  uint32_t columns = 0;
  float* rgb = nullptr;      // three floats per point, the values handed to glColor
  uint32_t* rgba = nullptr;  // the bytes GL stores for those floats: R, G, B, 255
};

using FieldRowsKernel = void (*)(const FieldFrame& frame, const FieldRows& out, uint32_t rowBegin,
                                 uint32_t rowEnd);

void FieldRowsSse2(const FieldFrame& frame, const FieldRows& out, uint32_t rowBegin,
                   uint32_t rowEnd);
void FieldRowsAvx2(const FieldFrame& frame, const FieldRows& out, uint32_t rowBegin,
                   uint32_t rowEnd);
void FieldRowsAvx512(const FieldFrame& frame, const FieldRows& out, uint32_t rowBegin,
                     uint32_t rowEnd);
