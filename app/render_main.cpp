// wendrix-render: Wendrix frames without a screen, as PNG files.
#include "app/Renderer.h"

int main(int argc, char** argv) { return RenderMain(argc, argv); }
