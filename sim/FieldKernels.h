// Vectorised evaluation of grid rows, one entry per instruction set. Each
// kernel gives the colours EvaluatePoint gives, to the last bit wherever the
// vector sine agrees with the C library's (glibc's libmvec differs by a few
// units in the last place now and then; on Windows the kernels take sin() itself).
#pragma once

#include <cstdint>

#include "sim/FieldEvaluation.h"

using FieldRowsKernel = void (*)(const FieldFrame& frame, const FieldRows& out, uint32_t rowBegin,
                                 uint32_t rowEnd);

void FieldRowsSse2(const FieldFrame& frame, const FieldRows& out, uint32_t rowBegin,
                   uint32_t rowEnd);
void FieldRowsAvx2(const FieldFrame& frame, const FieldRows& out, uint32_t rowBegin,
                   uint32_t rowEnd);
void FieldRowsAvx512(const FieldFrame& frame, const FieldRows& out, uint32_t rowBegin,
                     uint32_t rowEnd);
