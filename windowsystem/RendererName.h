// What the name a GL context gives for its renderer (GL_RENDERER) says of it.
#pragma once

#include <string_view>

// A rasteriser that runs on the processor: Mesa's llvmpipe, softpipe and swrast
// (also under zink or Wine), Windows' "GDI Generic" and the Basic Render Driver.
bool RendererIsSoftware(std::string_view renderer);
// Mesa's llvmpipe, whose points the field's pixel rectangle is proven to match.
bool RendererIsLlvmpipe(std::string_view renderer);
