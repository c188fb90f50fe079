// The row kernel once, over a vector type V that each instruction-set file
// defines. Included only by those files, inside an anonymous namespace, so
// nothing built for one instruction set is shared with another translation
// unit. Every operation is the reference's, in the reference's order, one
// IEEE operation per scalar one; the files are built without contraction into
// fused multiply-adds.
//
// V provides: kLanes; D (doubles) with Set, Lanes (0, 1, ...), Add, Sub, Mul,
// Div, Sqrt, Abs, Sin; masks from Gt, Lt, NotGe and Select (mask, if, else);
// Single (round to float and back); StoreFloats and StoreBytes for the three
// components of the first n lanes.

template <class V, int Scheme>
inline void ColorLanes(const FieldFrame& frame, typename V::D v, typename V::D& red,
                       typename V::D& green, typename V::D& blue) {
  using D = typename V::D;
  const D zero = V::Set(0.0), half = V::Set(0.5), one = V::Set(1.0), two = V::Set(2.0);
  const D d = V::Abs(V::Sub(v, half));
  red = green = blue = zero;
  if constexpr (Scheme == 0) {
    blue = V::Sqrt(V::Mul(two, d));
    green = V::Select(V::Gt(v, half), V::Mul(blue, V::Set(0.25)), zero);
  } else if constexpr (Scheme == 1) {
    blue = V::Sub(one, V::Sqrt(V::Mul(two, d)));
  } else if constexpr (Scheme == 2) {
    red = V::Select(V::Gt(v, half), V::Sqrt(V::Sqrt(V::Mul(d, half))),
                    V::Sqrt(V::Sqrt(V::Mul(d, V::Set(0.35)))));
  } else if constexpr (Scheme == 3) {
    const auto low = V::Lt(v, half);
    red = V::Select(low, zero, V::Sqrt(V::Mul(two, V::Sub(v, half))));
    green = V::Select(low, V::Sqrt(V::Sub(one, V::Mul(two, v))), red);
  } else if constexpr (Scheme == 4) {
    const auto low = V::Lt(v, half);
    red =
        V::Select(low, V::Sqrt(V::Sub(one, V::Mul(two, v))), V::Sqrt(V::Mul(two, V::Sub(v, half))));
    green = red;
    blue = V::Select(low, red, zero);
  } else if constexpr (Scheme == 5) {
    red = green = V::Mul(two, d);
    blue = one;
  } else if constexpr (Scheme == 6) {
    blue = V::Mul(two, d);
  } else if constexpr (Scheme == 7) {
    // The three weights are single precision, as in the reference.
    const D lowRaw = V::Single(V::Sub(V::Mul(V::Sub(one, v), two), one));
    const D high = V::Single(V::Sub(one, lowRaw));
    const D low = V::Select(V::Lt(lowRaw, zero), zero, lowRaw);
    const D middle = V::Single(V::Sub(one, V::Mul(two, d)));
    const double* c = frame.schemeColor;
    const auto mix = [&](int k) {
      return V::Add(V::Add(V::Mul(V::Set(c[k]), low), V::Mul(V::Set(c[k + 1]), middle)),
                    V::Mul(V::Set(c[k + 2]), high));
    };
    red = mix(0);
    green = mix(3);
    blue = mix(6);
  }
}

template <class V, int Scheme>
void FieldRowsFor(const FieldFrame& frame, const FieldRows& out, uint32_t rowBegin,
                  uint32_t rowEnd) {
  using D = typename V::D;
  constexpr int kLanes = V::kLanes;
  const int ripples = frame.rippleCount < 0             ? 0
                      : frame.rippleCount > kMaxRipples ? kMaxRipples
                                                        : frame.rippleCount;
  const D scale = V::Set(frame.rippleScale);
  const D invWidth = V::Set(frame.invWidth);
  const D laneX = V::Mul(V::Lanes(), V::Set(static_cast<double>(frame.step)));
  const D half = V::Set(0.5), one = V::Set(1.0), zero = V::Set(0.0);
  const D count = V::Set(static_cast<double>(frame.rippleCount));
  const D fade = V::Set(static_cast<double>(frame.fadeLevel));
  D centreU[kMaxRipples], frequency[kMaxRipples], phase[kMaxRipples], dySquared[kMaxRipples];
  for (int r = 0; r < ripples; ++r) {
    const double* slot = frame.slot + static_cast<ptrdiff_t>(4) * r;
    centreU[r] = V::Set(slot[0]);
    frequency[r] = V::Set(slot[2]);
    phase[r] = V::Set(slot[3]);
  }
  for (uint32_t row = rowBegin; row < rowEnd; ++row) {
    const double v = static_cast<double>(row * frame.step) * frame.invHeight;
    // The vertical term is the same all along a row.
    for (int r = 0; r < ripples; ++r) {
      const double dy = (v - frame.slot[4 * r + 1]) * frame.rippleScale * frame.verticalFactor;
      dySquared[r] = V::Set(dy * dy);
    }
    const size_t rowStart = static_cast<size_t>(row) * out.columns;
    for (uint32_t column = 0; column < out.columns; column += kLanes) {
      const D x = V::Add(V::Set(static_cast<double>(column * frame.step)), laneX);
      const D u = V::Mul(x, invWidth);
      D sum = zero;
      for (int r = 0; r < ripples; ++r) {
        const D dx = V::Mul(V::Sub(u, centreU[r]), scale);
        const D w =
            V::Add(V::Mul(V::Sqrt(V::Add(V::Mul(dx, dx), dySquared[r])), frequency[r]), phase[r]);
        sum = V::Add(sum, V::Add(V::Mul(V::Sin(w), half), half));
      }
      D value = V::Div(sum, count);
      value = V::Select(V::Gt(value, one), one, value);
      value = V::Select(V::NotGe(value, zero), zero, value);  // negative, or not a number
      D red, green, blue;
      ColorLanes<V, Scheme>(frame, value, red, green, blue);
      red = V::Mul(fade, red);
      green = V::Mul(fade, green);
      blue = V::Mul(fade, blue);
      const int lanes = out.columns - column < static_cast<uint32_t>(kLanes)
                            ? static_cast<int>(out.columns - column)
                            : kLanes;
      if (out.rgb != nullptr) {
        V::StoreFloats(red, green, blue, out.rgb + 3 * (rowStart + column), lanes);
      } else {
        V::StoreBytes(red, green, blue, out.rgba + rowStart + column, lanes);
      }
    }
  }
}

template <class V>
void FieldRowsDispatch(const FieldFrame& frame, const FieldRows& out, uint32_t rowBegin,
                       uint32_t rowEnd) {
  switch (frame.colorOption) {
    case 0: FieldRowsFor<V, 0>(frame, out, rowBegin, rowEnd); break;
    case 1: FieldRowsFor<V, 1>(frame, out, rowBegin, rowEnd); break;
    case 2: FieldRowsFor<V, 2>(frame, out, rowBegin, rowEnd); break;
    case 3: FieldRowsFor<V, 3>(frame, out, rowBegin, rowEnd); break;
    case 4: FieldRowsFor<V, 4>(frame, out, rowBegin, rowEnd); break;
    case 5: FieldRowsFor<V, 5>(frame, out, rowBegin, rowEnd); break;
    case 6: FieldRowsFor<V, 6>(frame, out, rowBegin, rowEnd); break;
    case 7: FieldRowsFor<V, 7>(frame, out, rowBegin, rowEnd); break;
    default: FieldRowsFor<V, -1>(frame, out, rowBegin, rowEnd); break;  // black
  }
}
