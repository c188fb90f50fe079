// The frame's drawing sequence: the values of this frame gathered once, the
// grid evaluated and drawn the way fieldPath says.
#include "sim/RippleField.h"

#include <GL/gl.h>
#include <GL/glext.h>  // names past OpenGL 1.1, where Windows' gl.h stops

#include "sim/FieldDrawing.h"
#include "sim/FieldEvaluation.h"
#include "sim/FieldGrid.h"
#include "sim/Oscillators.h"
#include "state/Frame.h"
#include "state/Settings.h"

FieldFrame PrepareFieldFrame() {
  FieldFrame frame;
  frame.width = screenWidth;
  frame.height = screenHeight;
  // A step of 0 would never leave the row; the keys keep it 1..20 anyway.
  frame.step = static_cast<uint32_t>(settings.tesselation > 0 ? settings.tesselation : 1);
  frame.rippleCount = rippleCount;
  frame.colorOption = settings.colorOption;
  frame.fadeLevel = fadeLevel;
  frame.verticalFactor = 1.0 / (settings.letterbox * 0.2 + 1.0);
  frame.rippleScale = Oscillate(8, 1, 14, 4) * settings.frequency;
  for (int j = 0; j < 4 * rippleCount; ++j) frame.slot[j] = Oscillate(10 + j, 1, 4, -2);
  frame.invWidth = 1.0 / screenWidth;
  frame.invHeight = 1.0 / screenHeight;
  if (frame.colorOption == 7) {
    for (int n = 0; n < 9; ++n) frame.schemeColor[n] = Oscillate(20 + n, 5, 1, 0);
  }
  return frame;
}

bool FieldCoversWindow() {
  if (settings.letterbox != 0 || screenWidth == 0 || screenHeight == 0) return false;
  const uint32_t step = static_cast<uint32_t>(settings.tesselation > 0 ? settings.tesselation : 1);
  // Points every step from 0, each reaching (step + 1) / 2 below its place at most.
  const auto reaches = [step](uint32_t side) {
    return ((side - 1) / step + 1) * step - (step + 1) / 2 >= side;
  };
  return reaches(screenWidth) && reaches(screenHeight);
}

void DrawRippleField() {
  // Multisampled, GL may round wide points into circles (gaps in the grid) and
  // llvmpipe half covers the edge pixels of odd sizes; the grid is meant to be
  // whole squares, so it is drawn single-sampled and the text keeps the samples.
  const bool multisample = glIsEnabled(GL_MULTISAMPLE);
  if (multisample) glDisable(GL_MULTISAMPLE);
  const FieldFrame frame = PrepareFieldFrame();
  glPointSize(static_cast<float>(settings.tesselation));
  if (fieldPath.drawing == FieldDrawing::SimplePoints) {
    DrawSimplePoints(frame);
  } else {
    const bool rectangle =
        fieldPath.drawing == FieldDrawing::Fastest && PixelRectangleMatchesPoints(frame);
    const FieldRows out = GridOutput(frame, rectangle);
    EvaluateField(frame, out, FieldEvaluation::Fastest, fieldPath.threads);
    DrawGrid(frame, out);
  }
  if (multisample) glEnable(GL_MULTISAMPLE);
}
