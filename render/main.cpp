// wendrix-render: Wendrix frames without a screen, as PNG files.
#include "render/Renderer.h"

int main(int argc, char** argv) { return RenderMain(argc, argv); }
